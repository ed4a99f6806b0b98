#include "updater/HandOffCheck.h"

#include <algorithm>
#include <cwctype>

#include "updater/UnzipPaths.h"

namespace corvane {
namespace {

bool StartsWithFolded(const std::wstring& text, const std::wstring& prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](wchar_t a, wchar_t b) { return std::towlower(a) == std::towlower(b); });
}

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

void RefuseAddress(std::wstring& url, const wchar_t* member, std::vector<std::wstring>& refusals) {
  if (url.empty() || IsWebAddress(url)) return;
  refusals.push_back(std::wstring(L"Hand-off: ") + member + L" \"" + url + L"\" is not an http or https address; ignored.");
  url.clear();
}

}  // namespace

bool IsWebAddress(const std::wstring& url) {
  for (const wchar_t* scheme : {L"http://", L"https://"}) {
    const std::wstring prefix(scheme);
    if (!StartsWithFolded(url, prefix)) continue;
    // A host must follow, and nothing a command line could split at.
    const std::wstring rest = url.substr(prefix.size());
    const bool hasHost = !rest.empty() && rest[0] != L'/' && rest[0] != L'\\';
    return hasHost && std::none_of(url.begin(), url.end(), [](wchar_t c) { return c <= L' ' || c == L'"'; });
  }
  return false;
}

bool IsBareProgramName(const std::wstring& name) {
  static const std::wstring kExtension = L".exe";
  if (name.size() <= kExtension.size() || name.find_first_of(L"\\/:") != std::wstring::npos) return false;
  // The entry-name rules refuse devices, dots-only names and characters
  // Windows cannot hold; a name without separators stays in the folder.
  return IsSafeEntryName(name) && StartsWithFolded(name.substr(name.size() - kExtension.size()), kExtension);
}

bool IsAbsoluteFolder(const std::wstring& folder) {
  if (folder.size() >= 3 && IsDriveLetter(folder[0]) && folder[1] == L':' && folder[2] == L'\\') return true;
  // "\\server\share": a server name must follow the two backslashes.
  return folder.size() > 2 && folder[0] == L'\\' && folder[1] == L'\\' && folder[2] != L'\\';
}

std::vector<std::wstring> CheckHandOffRecord(SUpdaterRecord& record, const std::wstring& fallbackTempFolder) {
  std::vector<std::wstring> refusals;
  RefuseAddress(record.downloadUrl, L"DownloadUrl", refusals);
  RefuseAddress(record.installerUrl, L"InstallerUrl", refusals);
  if (!record.appFileName.empty() && !IsBareProgramName(record.appFileName)) {
    refusals.push_back(L"Hand-off: AppFileName \"" + record.appFileName +
                       L"\" is not a program name in the updater's folder; nothing will be started.");
    record.appFileName.clear();
  }
  if (!IsAbsoluteFolder(record.tempFilePath)) {
    refusals.push_back(L"Hand-off: TempFilePath \"" + record.tempFilePath + L"\" is not an absolute folder; using \"" +
                       fallbackTempFolder + L"\".");
    record.tempFilePath = fallbackTempFolder;
  } else if (record.tempFilePath.back() != L'\\') {
    record.tempFilePath += L'\\';
  }
  return refusals;
}

}  // namespace corvane
