#pragma once
// A point in time on the platform's file-time scale (100-nanosecond units
// since 1601-01-01, universal time) with a strftime-like formatter.
#include <cstdint>
#include <ctime>
#include <string>

namespace corvane {

class CF3DDateTime {
 public:
  CF3DDateTime() = default;
  // A file-time value; the sub-second parts come from the value itself.
  explicit CF3DDateTime(int64_t fileTime);

  // From a month abbreviation ("Jan" .. "Dec"), a day and a year text that may
  // carry a time "h:m:s" after the year ("2026 13:45:10"), read as local time.
  // Returns false (and leaves the value alone) for text it cannot read.
  bool Build(const std::wstring& monthName, int day, const std::wstring& yearText);

  static CF3DDateTime Now();
  // From seconds since 1970-01-01 UTC.
  static CF3DDateTime FromUnixTime(int64_t seconds);

  int64_t FileTime() const { return m_fileTime; }
  int Milliseconds() const { return m_milliseconds; }
  int Microseconds() const { return m_microseconds; }
  int Nanoseconds() const { return m_nanoseconds; }

  // Formats the local time. "%s" is the milliseconds as three digits and "%#s"
  // without leading zeros; "%u"/"%#u" the microseconds and "%n"/"%#n" the
  // nanoseconds the same way; the rest follows wcsftime. A directive wcsftime
  // does not know is written as it stands. Gives "Invalid datetime" for a
  // value outside 1970-01-01 .. 3000-12-31.
  std::wstring Format(const std::wstring& format) const;

 private:
  void SetSubSecondParts();

  int64_t m_fileTime = 0;
  int m_milliseconds = 0;
  int m_microseconds = 0;
  int m_nanoseconds = 0;
};

// Platform parts (F3DDateTime_win.cpp / _posix.cpp): local broken-down time of
// a time_t; false when it cannot be converted.
bool ToLocalTime(std::time_t seconds, std::tm& local);

}  // namespace corvane
