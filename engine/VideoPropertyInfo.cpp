#include "engine/VideoPropertyInfo.h"

#include <cmath>
#include <cwchar>

namespace corvane {

std::optional<double> SVideoPropertyInfo::DurationSeconds() const {
  // "HH:MM:SS.hh", each part a plain number.
  unsigned hours = 0, minutes = 0;
  double seconds = 0;
  wchar_t rest = 0;
  if (std::swscanf(duration.c_str(), L"%u:%u:%lf%lc", &hours, &minutes, &seconds, &rest) != 3) return std::nullopt;
  // swscanf reads "nan" as a number: it is no length of time.
  if (minutes >= 60 || !std::isfinite(seconds) || seconds < 0 || seconds >= 60) return std::nullopt;
  return hours * 3600.0 + minutes * 60.0 + seconds;
}

std::wstring SVideoPropertyInfo::CodecName(const std::wstring& codecField) {
  const size_t begin = codecField.find_first_not_of(L" \t");
  if (begin == std::wstring::npos) return {};
  const size_t end = codecField.find_first_of(L" \t(", begin);
  return codecField.substr(begin, end == std::wstring::npos ? std::wstring::npos : end - begin);
}

}  // namespace corvane
