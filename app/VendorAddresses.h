#pragma once
// Where the program sends the user for its maker: the web site and the
// contact address shown in the About dialog and the main window's link.

namespace corvane {

constexpr wchar_t kVendorWebAddress[] = L"https://www.tavrel.example/";
// The address as links show it (the main window's link is narrow).
constexpr wchar_t kVendorWebAddressShown[] = L"www.tavrel.example";
constexpr wchar_t kVendorMailAddress[] = L"support@tavrel.example";

}  // namespace corvane
