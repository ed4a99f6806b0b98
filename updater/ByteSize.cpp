#include "updater/ByteSize.h"

#include <algorithm>
#include <cwchar>

namespace corvane {
namespace {

template <class... Args>
std::wstring Format(const wchar_t* format, Args... args) {
  wchar_t buffer[128];
  const int n = std::swprintf(buffer, sizeof(buffer) / sizeof(buffer[0]), format, args...);
  return n > 0 ? std::wstring(buffer, static_cast<size_t>(n)) : std::wstring();
}

// The whole percent of `part` in `whole` (> 0), exact at any size (part *
// 100 would wrap past 184 PB in 64 bits). Capped far beyond any real figure
// so that it fits an int.
int WholePercent(uint64_t part, uint64_t whole) {
  const unsigned __int128 percent = static_cast<unsigned __int128>(part) * 100 / whole;
  return static_cast<int>(std::min<unsigned __int128>(percent, 100000000));
}

}  // namespace

std::wstring FormatByteSize(uint64_t count) {
  if (count < 1024) return Format(L"%llu bytes", static_cast<unsigned long long>(count));
  static const wchar_t* const kUnits[] = {L"KB", L"MB", L"GB", L"TB", L"PB", L"EB"};
  int unit = 0;
  while (unit < 5 && count >= (uint64_t{1} << (10 * (unit + 2)))) ++unit;
  const double divisor = static_cast<double>(uint64_t{1} << (10 * (unit + 1)));
  return Format(L"%.2f ", static_cast<double>(count) / divisor) + kUnits[unit];
}

std::wstring FormatSpeed(float bytesPerSecond) {
  const double value = bytesPerSecond;
  if (value >= 1048576.0) return Format(L"%.2f MB/S", value / 1048576.0);
  if (value >= 1024.0) return Format(L"%.2f KB/S", value / 1024.0);
  return Format(L"%.0f bytes/S", value);
}

std::wstring FormatDownloadStatus(uint64_t received, uint64_t total, float bytesPerSecond) {
  // A zero "Content-Length" would divide by zero: it reads as 0%.
  std::wstring text = Format(L"%llu/%lluB  %d%%", static_cast<unsigned long long>(received),
                             static_cast<unsigned long long>(total), DownloadProgressPosition(received, total));
  text.append(38, L' ');
  if (bytesPerSecond >= 1.0f) text += FormatSpeed(bytesPerSecond);
  return text;
}

int DownloadProgressPosition(uint64_t received, uint64_t total) {
  return total ? WholePercent(received, total) : 0;
}

std::wstring_view UrlWithoutQuery(std::wstring_view url) { return url.substr(0, url.find(L'?')); }

}  // namespace corvane
