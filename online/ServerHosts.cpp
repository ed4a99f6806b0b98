#include "online/ServerHosts.h"

namespace corvane {

std::wstring VendorServerHost() { return CORVANE_VENDOR_HOST; }
std::wstring SearchServerHost() { return CORVANE_SEARCH_HOST; }
std::wstring DomainListHost(int which) { return which == 2 ? CORVANE_DOMAIN_HOST2 : CORVANE_DOMAIN_HOST1; }
std::wstring DomainListScript() { return CORVANE_DOMAIN_SCRIPT; }

std::wstring VendorServerRoot() { return L"https://" + VendorServerHost(); }
std::wstring SearchServerRoot() { return L"https://" + SearchServerHost(); }

}  // namespace corvane
