#pragma once
// The small list of site domains the maker's servers hand out ("Domain.ini"
// in the per-user configuration folder, section "Rules": "1" the current
// site domain, "2" a second one). Refreshed once per run on the
// version-check worker; the user-interface thread reads it afterwards.
#include <functional>
#include <mutex>
#include <string>

namespace corvane {

constexpr wchar_t kDomainListFileName[] = L"Domain.ini";

// A number in 1..65534 drawn from a generator seeded with the time's seconds
// and milliseconds: it keeps caches between us and the server from
// answering with an old list.
int DomainListCacheBuster(int seconds, int milliseconds);

// Which server is asked first: 1 for an odd cache buster, 2 for an even one.
int FirstDomainListServer(int cacheBuster);

// server's script + "?" + cache buster + "&lang=" + language + "&ver=" + version.
std::wstring DomainListAddress(int server, int cacheBuster, const std::wstring& language,
                               const std::wstring& version);

// "https://#domain#/flv/" with the domain put in, + page + ".php".
std::wstring SitePageAddress(const std::wstring& domain, const std::wstring& page);

// Downloads `url` into the file `path`; true when the whole file arrived.
using DownloadToFile = std::function<bool(const std::wstring& url, const std::wstring& path)>;

class CDomainList {
 public:
  CDomainList();

  // Deletes the old list and fetches a new one, from the other server when
  // the first fails; false (the previous domains stay) when neither answered
  // or the file cannot be read. `removeFile` deletes a file, errors ignored.
  bool Refresh(const std::wstring& path, const DownloadToFile& download,
               const std::function<void(const std::wstring&)>& removeFile, const std::wstring& language,
               const std::wstring& version, int cacheBuster);

  std::wstring Domain(int which) const;  // 1 or 2
  // The page on the current site domain.
  std::wstring SitePage(const std::wstring& page) const;

 private:
  mutable std::mutex m_lock;
  std::wstring m_domain1;
  std::wstring m_domain2;
};

// The process's domain list: refreshed by the version check's worker, read
// by the web panels' filters.
CDomainList& SiteDomains();

}  // namespace corvane
