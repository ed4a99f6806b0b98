#include "skin/SkinSelection.h"

#include <algorithm>

#include "settings/PreferenceTable.h"

namespace corvane {
namespace {

bool EqualNames(std::wstring_view a, std::wstring_view b) {
  const SNoCaseLess less;
  const std::wstring x(a), y(b);
  return !less(x, y) && !less(y, x);
}

}  // namespace

bool CSkinSelection::IsInstalled(std::wstring_view name) const {
  return std::any_of(m_installed.begin(), m_installed.end(),
                     [&](const std::wstring& installed) { return EqualNames(installed, name); });
}

ESkinLoadStep CSkinSelection::Load(std::wstring_view name, bool force) {
  const std::wstring_view wanted = IsInstalled(name) ? name : std::wstring_view();
  if (!force && EqualNames(wanted, m_current)) return ESkinLoadStep::kReapplyWatermark;
  m_current = wanted;
  return m_current.empty() ? ESkinLoadStep::kNoSkin : ESkinLoadStep::kReadSkin;
}

std::wstring SkinFolder(std::wstring_view programFolder, std::wstring_view name) {
  std::wstring folder(programFolder);
  folder += L"skins\\";
  folder += name;
  folder += L'\\';
  return folder;
}

}  // namespace corvane
