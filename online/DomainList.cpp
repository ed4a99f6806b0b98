#include "online/DomainList.h"

#include <algorithm>
#include <random>

#include "base/IniReader.h"
#include "online/ServerHosts.h"

namespace corvane {
namespace {

bool IsHostChar(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'-' || c == L'.';
}

// A domain from the server goes into "https://#domain#/flv/…": only a host
// name with an optional port may, or the page would go somewhere else
// ("host/other?", "user@host") or nowhere (an empty value).
bool IsHostName(const std::wstring& text) {
  const size_t colon = text.find(L':');
  const std::wstring host = text.substr(0, colon);
  if (host.empty() || !std::all_of(host.begin(), host.end(), IsHostChar)) return false;
  if (colon == std::wstring::npos) return true;
  const std::wstring port = text.substr(colon + 1);
  return !port.empty() && port.size() <= 5 &&
         std::all_of(port.begin(), port.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

std::wstring HostOr(const std::wstring& text, const std::wstring& previous) {
  return IsHostName(text) ? text : previous;
}

}  // namespace


int DomainListCacheBuster(int seconds, int milliseconds) {
  std::minstd_rand generator(static_cast<unsigned>(seconds * 1000 + milliseconds) + 1u);
  std::uniform_int_distribution<int> draw(1, 65534);
  return draw(generator);
}

int FirstDomainListServer(int cacheBuster) { return cacheBuster % 2 != 0 ? 1 : 2; }

std::wstring DomainListAddress(int server, int cacheBuster, const std::wstring& language,
                               const std::wstring& version) {
  return L"https://" + DomainListHost(server) + DomainListScript() + L"?" + std::to_wstring(cacheBuster) +
         L"&lang=" + language + L"&ver=" + version;
}

std::wstring SitePageAddress(const std::wstring& domain, const std::wstring& page) {
  std::wstring address = L"https://#domain#/flv/";
  address.replace(address.find(L"#domain#"), 8, domain);
  return address + page + L".php";
}

CDomainList::CDomainList() : m_domain1(VendorServerHost()), m_domain2(VendorServerHost()) {}

bool CDomainList::Refresh(const std::wstring& path, const DownloadToFile& download,
                          const std::function<void(const std::wstring&)>& removeFile, const std::wstring& language,
                          const std::wstring& version, int cacheBuster) {
  const int first = FirstDomainListServer(cacheBuster);
  bool fetched = false;
  for (int server : {first, 3 - first}) {
    removeFile(path);
    if (download(DomainListAddress(server, cacheBuster, language, version), path)) {
      fetched = true;
      break;
    }
  }
  if (!fetched) return false;
  CIniReader file;
  if (!file.Open(path)) return false;
  std::lock_guard<std::mutex> hold(m_lock);
  m_domain1 = HostOr(file.GetString(L"Rules", L"1", m_domain1), m_domain1);
  m_domain2 = HostOr(file.GetString(L"Rules", L"2", m_domain2), m_domain2);
  return true;
}

std::wstring CDomainList::Domain(int which) const {
  std::lock_guard<std::mutex> hold(m_lock);
  return which == 2 ? m_domain2 : m_domain1;
}

std::wstring CDomainList::SitePage(const std::wstring& page) const { return SitePageAddress(Domain(1), page); }

CDomainList& SiteDomains() {
  static CDomainList list;
  return list;
}

}  // namespace corvane
