#pragma once
// The command line that opens a URL with the program registered for ".htm"
// pages, used when the shell cannot open the URL itself.
#include <string>
#include <string_view>

namespace corvane {

// The registered command cut before its "%1" placeholder (before the opening
// quote when the placeholder stands in quotes), then a blank and the URL in
// double quotes (blanks and quotes inside it percent-encoded), so that the
// URL cannot add arguments of its own.
std::wstring BrowserCommandLine(std::wstring_view registeredCommand, std::wstring_view url);

}  // namespace corvane
