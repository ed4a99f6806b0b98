#pragma once
// Texts of the download progress: sizes, speeds and the status line.
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// "1023 bytes", "1.50 KB", "1024.00 KB", "1.00 GB" ... up to "EB".
std::wstring FormatByteSize(uint64_t count);

// "3.00 MB/S", "200.00 KB/S", "500 bytes/S".
std::wstring FormatSpeed(float bytesPerSecond);

// The status bar text after a chunk: "received/totalB  percent%", 38 blanks,
// then the speed once it has reached 1 byte per second. Sizes show whole
// (packages may pass 4 GiB); a total of 0 shows 0%.
std::wstring FormatDownloadStatus(uint64_t received, uint64_t total, float bytesPerSecond);

// The progress bar position: the whole percent of received in total (0..100
// while received <= total), 0 when the total is 0.
int DownloadProgressPosition(uint64_t received, uint64_t total);

// The URL as the dialog shows it: cut before its first "?".
std::wstring_view UrlWithoutQuery(std::wstring_view url);

}  // namespace corvane
