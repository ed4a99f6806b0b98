#include "online/DomainList.h"

#include <random>

#include "base/IniReader.h"
#include "online/ServerHosts.h"

namespace corvane {

int DomainListCacheBuster(int seconds, int milliseconds) {
  std::minstd_rand generator(static_cast<unsigned>(seconds * 1000 + milliseconds) + 1u);
  std::uniform_int_distribution<int> draw(1, 65534);
  return draw(generator);
}

int FirstDomainListServer(int cacheBuster) { return cacheBuster % 2 != 0 ? 1 : 2; }

std::wstring DomainListAddress(int server, int cacheBuster, const std::wstring& language,
                               const std::wstring& version) {
  return L"http://" + DomainListHost(server) + DomainListScript() + L"?" + std::to_wstring(cacheBuster) +
         L"&lang=" + language + L"&ver=" + version;
}

std::wstring SitePageAddress(const std::wstring& domain, const std::wstring& page) {
  std::wstring address = L"http://#domain#/flv/";
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
  m_domain1 = file.GetString(L"Rules", L"1", m_domain1);
  m_domain2 = file.GetString(L"Rules", L"2", m_domain2);
  return true;
}

std::wstring CDomainList::Domain(int which) const {
  std::lock_guard<std::mutex> hold(m_lock);
  return which == 2 ? m_domain2 : m_domain1;
}

std::wstring CDomainList::SitePage(const std::wstring& page) const { return SitePageAddress(Domain(1), page); }

}  // namespace corvane
