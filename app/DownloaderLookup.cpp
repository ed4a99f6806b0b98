#include "app/DownloaderLookup.h"

#include "app/VendorAddresses.h"

namespace corvane {
namespace {

// The maker's downloader products, newest first.
const wchar_t* const kProductPrefixes[] = {
    L"Corvane", L"TavrelVideo", L"TavrelFlv", L"TavrelMp4", L"TavrelHd", L"TavrelMedia", L"TavrelWeb",
};

}  // namespace

const std::vector<std::wstring>& DownloaderApplicationIds() {
  static const std::vector<std::wstring> ids = {L"{5C1F2E7A-3B44-4C1E-9D2A-6E0B7A11C301}",
                                                L"{5C1F2E7A-3B44-4C1E-9D2A-6E0B7A11C302}"};
  return ids;
}

std::vector<std::wstring> DownloaderProductKeys() {
  std::vector<std::wstring> keys;
  for (const wchar_t* prefix : kProductPrefixes) keys.push_back(std::wstring(L"Tavrel\\") + prefix + L"Downloader\\Settings");
  return keys;
}

std::wstring JoinProgramPath(const std::wstring& folder, const std::wstring& name) {
  if (folder.empty() || name.empty()) return std::wstring();
  const wchar_t last = folder.back();
  return (last == L'\\' || last == L'/') ? folder + name : folder + L'\\' + name;
}

std::wstring UnquotedProgramPath(const std::wstring& path) {
  if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') return path.substr(1, path.size() - 2);
  return path;
}

std::wstring DownloaderPageAddress() { return std::wstring(kVendorWebAddress) + L"soft.php?type=flv"; }

}  // namespace corvane
