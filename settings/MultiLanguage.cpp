#include "settings/MultiLanguage.h"

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <system_error>

#include "base/AppCommonPath.h"
#include "base/FsPath.h"
#include "base/TextConvert.h"
#include "base/TextTranslator.h"
#include "settings/DefaultLanguageName.h"
#include "settings/RegistryRoot.h"

namespace corvane {
namespace {


bool IsPackFile(const std::filesystem::path& file) {
  std::wstring ext = FromFsPath(file.extension());
  std::transform(ext.begin(), ext.end(), ext.begin(), [](wchar_t c) { return std::towlower(c); });
  return ext == L".lng";
}

}  // namespace

CMultiLanguage::CMultiLanguage() : m_isProcessManager(true) {
  m_folder = LanguageFolder();
  // The setting lives with the application's settings; without the
  // application object (tools, tests) it is neither read nor written.
  m_store = RegistryRoot().applicationPresent ? GetPreference() : nullptr;
  m_setting.value = DefaultLanguageName();
  Construct();
  SetTextTranslator([](const std::wstring& text) {
    return CMultiLanguage::IsMade() ? CMultiLanguage::Instance().Translate(text) : text;
  });
}

CMultiLanguage::CMultiLanguage(const SOptions& options) : m_folder(options.languageFolder), m_store(options.store) {
  m_setting.value = options.defaultLanguage;
  Construct();
}

void CMultiLanguage::Construct() {
  EnumerateLanguages();
  m_setting.Load(m_store);
  ReadLanguageStringsInverted(LanguagePackPath(m_folder, kEnglish), m_english);
  SelectLanguage(m_setting.value, /*initial=*/true);
}

CMultiLanguage::~CMultiLanguage() {
  // The installed translator is left in place: it asks IsMade() first, which
  // is already false here, and at process exit the translator's own storage
  // may be gone before this runs.
  // The application object may be gone by now (a tool's exit path).
  if (m_store && (!m_isProcessManager || RegistryRoot().applicationPresent)) m_setting.Save(m_store);
}

std::wstring CMultiLanguage::Translate(const std::wstring& text) const {
  if (text.empty()) return text;
  if (m_setting.value == m_previous) return text;
  const std::wstring* key = nullptr;
  if (m_previous != kEnglish) {
    const TLanguageTable& previous = PreviousTable();
    auto it = std::find_if(previous.begin(), previous.end(), [&](const auto& entry) { return entry.second == text; });
    if (it != previous.end()) key = &it->first;
  }
  if (!key) {
    auto it = m_english.find(text);
    if (it == m_english.end()) return text;
    key = &it->second;
  }
  auto it = CurrentTable().find(*key);
  return it != CurrentTable().end() && !it->second.empty() ? it->second : text;
}

void CMultiLanguage::SelectLanguage(const std::wstring& name, bool initial) {
  if (!initial) {
    if (name == m_setting.value) return;
    m_previous = m_setting.value;
    m_setting.value = name;
  }
  if (m_isProcessManager) CAppCommonPath::Instance().SetCurrentLanguageName(m_setting.value);
  m_current = 1 - m_current;
  // Starting in English needs no table: nothing is translated then.
  if (m_previous == name) return;
  ReadLanguageStrings(LanguagePackPath(m_folder, name), m_tables[m_current]);
}

void CMultiLanguage::SelectLanguageByIndex(int index) {
  if (index < 0 || index >= static_cast<int>(m_languages.size())) index = 0;
  SelectLanguage(m_languages[index].name, /*initial=*/false);
}

int CMultiLanguage::IndexOfLanguage(const std::wstring& name) const {
  for (size_t i = 0; i < m_languages.size(); ++i) {
    if (m_languages[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

bool CMultiLanguage::IsCurrentLanguage(int index) const {
  return index >= 0 && index < static_cast<int>(m_languages.size()) &&
         m_languages[index].name == m_setting.value;
}

void CMultiLanguage::EnumerateLanguages() {
  m_icons.Clear();
  m_languages.assign(1, LanguageEntry{kEnglish, -1});
  std::error_code ec;
  for (std::filesystem::directory_iterator it(ToFsPath(m_folder), ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec) || !IsPackFile(it->path())) continue;
    const std::wstring name = FromFsPath(it->path().stem());
    const std::wstring icon = ReadLanguageIconName(LanguagePackPath(m_folder, name));
    const int index = icon.empty() ? -1 : m_icons.Add(m_folder + icon);
    if (name == kEnglish) {
      if (index >= 0) m_languages[0].iconIndex = index;
    } else {
      m_languages.push_back({name, index});
    }
  }
}

std::wstring Translate(const std::wstring& text) { return CMultiLanguage::Instance().Translate(text); }

}  // namespace corvane
