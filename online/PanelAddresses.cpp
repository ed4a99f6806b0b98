#include "online/PanelAddresses.h"

#include "base/EscapeUrl.h"
#include "base/TextConvert.h"
#include "online/ServerHosts.h"

namespace corvane {

std::wstring MainPanelAddress(const std::wstring& language, const std::wstring& version) {
  return VendorServerRoot() + L"/api_joiner.php?lang=" + language + L"&type=joiner&ver=" + version;
}

std::wstring JoinLogAddress(const std::wstring& language, const std::wstring& sourceUrl) {
  const std::string escaped = EscapeUrl(WideToUtf8(sourceUrl));
  // The escaped text is plain ASCII.
  return VendorServerRoot() + L"/api_joinerlog.php?lang=" + language + L"&url=" +
         std::wstring(escaped.begin(), escaped.end());
}

std::wstring ToolbarAddress(const std::wstring& language, const std::wstring& pageKind) {
  return VendorServerRoot() + L"/api_iebar5.php?lang=" + language + L"&type=" + pageKind;
}

std::wstring NavigationErrorAddress(const std::wstring& failedUrl, long errorCode, const std::wstring& language) {
  return VendorServerRoot() + L"/naverr.php?url=" + failedUrl + L"&errorid=" + std::to_wstring(errorCode) +
         L"&lang=" + language;
}

std::wstring VendorHomeAddress() { return VendorServerRoot() + L"/"; }
std::wstring VideoSiteAddress() { return VendorServerRoot() + L"/soft.php?type=flv"; }

}  // namespace corvane
