#pragma once
// Where the maker's downloader program may be registered, and how it is
// started: the Video Download command looks in these places in order and
// falls back to the download page.
#include <string>
#include <vector>

namespace corvane {

// Two application identifiers under which the downloader registers its
// browser elevation policy (values "AppPath" and "AppName"), in search order.
const std::vector<std::wstring>& DownloaderApplicationIds();

// Registry keys (under the current user's and then the machine's
// "Software") whose value "ProgLocation" names the installed downloader:
// "Tavrel\\<product>Downloader\\Settings" for each product, in search order.
std::vector<std::wstring> DownloaderProductKeys();

// The folder and file name of an elevation-policy entry joined into a path.
std::wstring JoinProgramPath(const std::wstring& folder, const std::wstring& name);

// The command line that starts the program: the path in double quotes
// unless it is quoted already; empty for an empty path.
std::wstring QuotedProgramPath(const std::wstring& path);

// The download page of this product family.
std::wstring DownloaderPageAddress();

// The installed downloader program found in the places above, in order;
// empty when there is none (Windows only).
std::wstring FindDownloader();

}  // namespace corvane
