#pragma once
// Addresses of the pages the program shows in its web panels and windows.
// `language` is the interface language's name, `version` the short version
// string; both go in as they stand.
#include <string>

namespace corvane {

// The main window's panel: "/api_joiner.php?lang=…&type=joiner&ver=…".
std::wstring MainPanelAddress(const std::wstring& language, const std::wstring& version);

// The join log a launched job reports a file it could not fully read with:
// "/api_joinerlog.php?lang=…&url=" + the source address in UTF-8, escaped
// with EscapeUrl. The escaped part is empty when it would be too long.
std::wstring JoinLogAddress(const std::wstring& language, const std::wstring& sourceUrl);

// The stand-alone window's toolbar: "/api_iebar5.php?lang=…&type=" + page kind.
std::wstring ToolbarAddress(const std::wstring& language, const std::wstring& pageKind);

// What a stand-alone window loads when a navigation fails.
std::wstring NavigationErrorAddress(const std::wstring& failedUrl, long errorCode, const std::wstring& language);

// The maker's home page and the video-site page, before the language is added.
std::wstring VendorHomeAddress();
std::wstring VideoSiteAddress();

}  // namespace corvane
