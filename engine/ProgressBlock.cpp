#include "engine/ProgressBlock.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include <boost/algorithm/string/case_conv.hpp>
#include <boost/algorithm/string/trim.hpp>
#include <boost/lexical_cast.hpp>
#include <boost/regex.hpp>

#include "base/TextConvert.h"

namespace corvane {
namespace {

// Perl syntax; "." also matches line breaks, so a match may span lines of the block.
const boost::wregex& DurationPattern() {
  static const boost::wregex re(L"Duration:\\s*([^N]*?):(.*?):(.*?)\\.", boost::regex::perl);
  return re;
}
const boost::wregex& SecondsTimePattern() {
  static const boost::wregex re(L"time=([\\d]{0,8})\\.", boost::regex::perl);
  return re;
}
const boost::wregex& ClockTimePattern() {
  static const boost::wregex re(L"time=([^N]*?):(.*?):(.*?)\\.", boost::regex::perl);
  return re;
}

bool Search(const std::wstring& text, const boost::wregex& re, boost::wsmatch& match) {
  try {
    return boost::regex_search(text, match, re, boost::match_default);
  } catch (const std::runtime_error&) {
    // Boost gives up on text that makes the lazy groups try too many splits
    // ("Duration:" followed by a few hundred colons and no dot): such text
    // does not match, rather than ending the tool run with an exception.
    return false;
  }
}

// Hours, minutes and seconds from groups 1 to 3; 0 when any group is empty.
// A negative group (the tool prints "time=-577014:32:22.77" for broken time
// stamps) or a total beyond 64 bits is no position either: 0, which the
// caller ignores.
int64_t ClockSeconds(const boost::wsmatch& match) {
  std::wstring texts[3];
  for (int i = 0; i < 3; ++i) {
    texts[i] = boost::algorithm::trim_copy(match.str(i + 1));
    if (texts[i].empty()) return 0;
  }
  static const int64_t kUnitSeconds[3] = {3600, 60, 1};
  int64_t total = 0;
  for (int i = 0; i < 3; ++i) {
    const int64_t part = boost::lexical_cast<int64_t>(texts[i]);
    if (part < 0 || part > (std::numeric_limits<int64_t>::max() - total) / kUnitSeconds[i]) return 0;
    total += part * kUnitSeconds[i];
  }
  return total;
}

// Lower case. Current tools end most failures with "Conversion failed!", but
// not all: a container that refuses a copied stream ends the run after
// "Error initializing output stream".
const char* const kFailureTexts[] = {"encoding failed", "error while opening encoder", "conversion failed!",
                                     "error initializing output stream", "could not write header"};

}  // namespace

bool ContainsFailureText(const std::string& text) {
  const std::string lower = boost::algorithm::to_lower_copy(text);
  for (const char* failure : kFailureTexts) {
    if (lower.find(failure) != std::string::npos) return true;
  }
  return false;
}

size_t FailureTextOverlap() {
  size_t longest = 0;
  for (const char* failure : kFailureTexts) longest = std::max(longest, std::string(failure).size());
  return longest - 1;
}

SProgressBlock ParseProgressBlock(const std::string& block) {
  const std::wstring text = Utf8ToWide(block);
  boost::wsmatch match;
  SProgressBlock result;
  if (Search(text, DurationPattern(), match)) {
    result.seconds = ClockSeconds(match);
    return result;
  }
  if (Search(text, SecondsTimePattern(), match)) {
    result.isTime = true;
    // An empty group ("time=.") is no number at all.
    result.seconds = boost::lexical_cast<int64_t>(match.str(1));
    return result;
  }
  if (Search(text, ClockTimePattern(), match)) {
    result.isTime = true;
    result.seconds = ClockSeconds(match);
    return result;
  }
  if (ContainsFailureText(block)) return SProgressBlock{-1, /*isTime=*/true, /*isError=*/true};
  if (text.find(L"Invalid data found when processing input") != std::wstring::npos) {
    return SProgressBlock{-1, /*isTime=*/false, /*isError=*/true};
  }
  return result;
}

}  // namespace corvane
