#pragma once
// The maker's servers as fixed at build time (host and optional ":port").
#include <string>

namespace corvane {

// The web server for pages, the version file and the join log.
std::wstring VendorServerHost();
std::wstring SearchServerHost();
// The two servers that hand out the domain list, and the script's path there.
std::wstring DomainListHost(int which);  // which: 1 or 2
std::wstring DomainListScript();

// "https://" + host: the root the addresses of our pages and the version
// file are built on (nobody on the way can answer in the maker's name).
std::wstring VendorServerRoot();
std::wstring SearchServerRoot();

}  // namespace corvane
