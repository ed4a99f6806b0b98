#include <windows.h>

#include <cwchar>

#include "base/ModuleFileInfo.h"

namespace corvane {

CModuleFileInfo::CModuleFileInfo(void* module) : m_fileName(CF3DFileName::FromModule(module)) {
  const std::wstring& path = m_fileName.FullPath();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return;
  m_resource.resize(size);
  if (!GetFileVersionInfoW(path.c_str(), /*ignored=*/0, size, m_resource.data())) {
    m_resource.clear();
    return;
  }
  struct SLangCodePage {
    WORD language;
    WORD codePage;
  };
  void* value = nullptr;
  UINT length = 0;
  if (VerQueryValueW(m_resource.data(), L"\\VarFileInfo\\Translation", &value, &length) &&
      length >= sizeof(SLangCodePage)) {
    const auto* first = static_cast<const SLangCodePage*>(value);
    wchar_t key[16];
    std::swprintf(key, 16, L"%04x%04x", first->language, first->codePage);
    m_translationKey = key;
  }
}

std::wstring CModuleFileInfo::GetString(const std::wstring& key) const {
  if (m_resource.empty() || m_translationKey.empty()) return {};
  const std::wstring query = L"\\StringFileInfo\\" + m_translationKey + L"\\" + key;
  void* value = nullptr;
  UINT length = 0;
  // VerQueryValueW does not write; the buffer is only declared non-const.
  void* block = const_cast<uint8_t*>(m_resource.data());
  if (!VerQueryValueW(block, query.c_str(), &value, &length) || !value || length == 0) return {};
  // The length counts characters and may include the terminating NUL.
  std::wstring text(static_cast<const wchar_t*>(value), length);
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

}  // namespace corvane
