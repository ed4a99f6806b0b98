#include "base/F3DDateTime.h"

#include <chrono>
#include <cwchar>
#include <vector>

namespace corvane {
namespace {

constexpr int64_t kTicksPerSecond = 10000000;
// Seconds between 1601-01-01 and 1970-01-01.
constexpr int64_t kUnixEpochSeconds = 11644473600LL;
// Largest time the Windows C runtime converts: 3000-12-31 23:59:59 UTC.
constexpr int64_t kLastConvertibleUnixSecond = 32535215999LL;

const wchar_t* const kMonthNames[] = {L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun",
                                      L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec"};

// Conversion letters the C library's wcsftime is sure to know; anything else
// is escaped so a stray directive cannot upset the runtime.
bool IsKnownDirective(wchar_t c) {
  return c != 0 && std::wcschr(L"aAbBcdHIjmMpSUwWxXyYzZ%", c) != nullptr;
}

std::wstring SubSecondText(int value, bool withoutLeadingZeros) {
  wchar_t buffer[8];
  std::swprintf(buffer, 8, withoutLeadingZeros ? L"%d" : L"%03d", value);
  return buffer;
}

}  // namespace

CF3DDateTime::CF3DDateTime(int64_t fileTime) : m_fileTime(fileTime) { SetSubSecondParts(); }

void CF3DDateTime::SetSubSecondParts() {
  int64_t ticks = m_fileTime % kTicksPerSecond;
  if (ticks < 0) ticks += kTicksPerSecond;
  m_milliseconds = static_cast<int>(ticks / 10000);
  m_microseconds = static_cast<int>(ticks / 10 % 1000);
  m_nanoseconds = static_cast<int>(ticks % 10 * 100);
}

CF3DDateTime CF3DDateTime::FromUnixTime(int64_t seconds) {
  return CF3DDateTime((seconds + kUnixEpochSeconds) * kTicksPerSecond);
}

CF3DDateTime CF3DDateTime::Now() {
  using namespace std::chrono;
  const auto sinceUnix = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
  return CF3DDateTime(sinceUnix / 100 + kUnixEpochSeconds * kTicksPerSecond);
}

bool CF3DDateTime::Build(const std::wstring& monthName, int day, const std::wstring& yearText) {
  int month = -1;
  for (int i = 0; i < 12; ++i) {
    if (monthName == kMonthNames[i]) month = i;
  }
  if (month < 0 || day < 1 || day > 31) return false;
  int year = 0, hour = 0, minute = 0, second = 0;
  const int fields = std::swscanf(yearText.c_str(), L"%d %d:%d:%d", &year, &hour, &minute, &second);
  if (fields != 1 && fields != 4) return false;
  if (year < 1970 || year > 3000 || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
      second < 0 || second > 60)
    return false;
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;  // let the C library decide whether summer time applies
  const std::time_t seconds = std::mktime(&local);
  if (seconds == static_cast<std::time_t>(-1)) return false;
  *this = FromUnixTime(static_cast<int64_t>(seconds));
  return true;
}

std::wstring CF3DDateTime::Format(const std::wstring& format) const {
  const int64_t unixSeconds = m_fileTime / kTicksPerSecond - kUnixEpochSeconds;
  std::tm local{};
  if (m_fileTime < 0 || unixSeconds < 0 || unixSeconds > kLastConvertibleUnixSecond ||
      !ToLocalTime(static_cast<std::time_t>(unixSeconds), local))
    return L"Invalid datetime";

  // First rewrite the sub-second directives, which wcsftime does not have.
  std::wstring rewritten;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != L'%') {
      rewritten += format[i];
      continue;
    }
    const bool hash = i + 1 < format.size() && format[i + 1] == L'#';
    const size_t letterAt = i + (hash ? 2 : 1);
    const wchar_t letter = letterAt < format.size() ? format[letterAt] : 0;
    if (letter == L's' || letter == L'u' || letter == L'n') {
      const int value = letter == L's' ? m_milliseconds
                        : letter == L'u' ? m_microseconds
                                         : m_nanoseconds;
      rewritten += SubSecondText(value, hash);
    } else if (IsKnownDirective(letter)) {
      rewritten += format.substr(i, letterAt - i + 1);
    } else {
      // Unknown or cut-off directive: write it literally.
      rewritten += L"%%";
      if (hash) rewritten += L'#';
      if (letter) rewritten += letter;
    }
    i = letter ? letterAt : format.size();
  }
  if (rewritten.empty()) return {};

  // wcsftime gives 0 both for "too small" and for an empty result: grow a few
  // times, then accept the empty text.
  for (size_t size = 256; size <= 65536; size *= 4) {
    std::vector<wchar_t> buffer(size);
    const size_t length = std::wcsftime(buffer.data(), size, rewritten.c_str(), &local);
    if (length > 0) return std::wstring(buffer.data(), length);
  }
  return {};
}

}  // namespace corvane
