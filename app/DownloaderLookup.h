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

// The program file a registry value names: the path without the one pair
// of double quotes that may enclose it (the shell starts a file, not a
// command line).
std::wstring UnquotedProgramPath(const std::wstring& path);

// The download page of this product family.
std::wstring DownloaderPageAddress();

// The installed downloader program found in the places above, in order,
// each looked up in the 64-bit and then the 32-bit view of the registry (a
// 32-bit downloader registers in the latter); empty when there is none
// (Windows only).
std::wstring FindDownloader();

}  // namespace corvane
