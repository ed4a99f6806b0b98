#include "updater/ByteSize.h"

#include <cwchar>

namespace corvane {
namespace {

template <class... Args>
std::wstring Format(const wchar_t* format, Args... args) {
  wchar_t buffer[128];
  const int n = std::swprintf(buffer, sizeof(buffer) / sizeof(buffer[0]), format, args...);
  return n > 0 ? std::wstring(buffer, static_cast<size_t>(n)) : std::wstring();
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
  const int percent = total ? static_cast<int>(received * 100 / total) : 0;
  std::wstring text = Format(L"%u/%uB  %d%%", static_cast<unsigned>(static_cast<uint32_t>(received)),
                             static_cast<unsigned>(static_cast<uint32_t>(total)), percent);
  text.append(38, L' ');
  if (bytesPerSecond >= 1.0f) text += FormatSpeed(bytesPerSecond);
  return text;
}

int DownloadProgressPosition(uint64_t received, uint64_t total) {
  const uint32_t total32 = static_cast<uint32_t>(total);
  if (received == 0 || total32 == 0) return 0;
  return static_cast<int>(static_cast<float>(received) * 100.0f / static_cast<float>(total32));
}

std::wstring_view UrlWithoutQuery(std::wstring_view url) { return url.substr(0, url.find(L'?')); }

}  // namespace corvane
