#include "engine/ProgressBlock.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include <boost/algorithm/string/case_conv.hpp>

namespace corvane {
namespace {

// The tool ends progress lines with "\r" and every other line with "\n"
// ("\r\n" on Windows); empty lines carry nothing.
std::vector<std::string_view> Lines(std::string_view block) {
  std::vector<std::string_view> lines;
  size_t pos = 0;
  while (pos < block.size()) {
    const size_t end = std::min(block.find_first_of("\r\n", pos), block.size());
    if (end > pos) lines.push_back(block.substr(pos, end - pos));
    pos = end + 1;
  }
  return lines;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// A whole number of decimal digits only; none when empty, not digits or
// beyond 64 bits.
std::optional<int64_t> WholeNumber(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  int64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    const int digit = c - '0';
    if (value > (std::numeric_limits<int64_t>::max() - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

// "h:m:s.ff" (the fraction dropped) or the old tools' "s.ff", in whole
// seconds. 0 for anything else: "N/A", a negative clock (the tool prints
// "time=-577014:32:22.77" for broken time stamps) or a total beyond 64 bits.
int64_t ClockSeconds(std::string_view clock) {
  clock = clock.substr(0, clock.find('.'));
  static const int64_t kUnitSeconds[3] = {3600, 60, 1};
  std::vector<std::string_view> parts;
  for (size_t pos = 0;;) {
    const size_t colon = clock.find(':', pos);
    parts.push_back(clock.substr(pos, colon == std::string_view::npos ? std::string_view::npos : colon - pos));
    if (colon == std::string_view::npos) break;
    pos = colon + 1;
  }
  if (parts.size() != 1 && parts.size() != 3) return 0;
  int64_t total = 0;
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::optional<int64_t> part = WholeNumber(parts[i]);
    const int64_t unit = kUnitSeconds[3 - parts.size() + i];
    if (!part || *part > (std::numeric_limits<int64_t>::max() - total) / unit) return 0;
    total += *part * unit;
  }
  return total;
}

// "  Duration: 00:01:40.00, start: ..." as the tool writes it under an
// input's header: exactly two blanks deep. Metadata (a title that says
// "Duration: 2 hours") lies deeper, after its key.
std::optional<int64_t> DurationLine(std::string_view line) {
  static const std::string_view kPrefix = "  Duration: ";
  if (!StartsWith(line, kPrefix)) return std::nullopt;
  const std::string_view value = line.substr(kPrefix.size());
  return ClockSeconds(value.substr(0, value.find(',')));
}

// "frame=  125 fps= 50 ... time=00:00:50.00 bitrate=..." (or "size=..."
// where there is no video): the status line the tool rewrites in place.
std::optional<int64_t> ProgressLine(std::string_view line) {
  if (!StartsWith(line, "frame=") && !StartsWith(line, "size=")) return std::nullopt;
  static const std::string_view kTime = " time=";
  const size_t at = line.find(kTime);
  if (at == std::string_view::npos) return std::nullopt;
  const std::string_view value = line.substr(at + kTime.size());
  return ClockSeconds(value.substr(0, value.find(' ')));
}

// Lower case. Current tools end most failures with "Conversion failed!", but
// not all: a container that refuses a copied stream ends the run after
// "Error initializing output stream".
const char* const kFailureTexts[] = {"encoding failed", "error while opening encoder", "conversion failed!",
                                     "error initializing output stream", "could not write header"};

// The tool writes its failure texts at the start of a line (or after a
// "[component @ address] " prefix), never indented: an indented line is a
// description or metadata line, whose text (a title) is the file's own.
// The first line of a text may have been cut anywhere and counts.
bool IsIndentedLine(const std::string& text, size_t pos) {
  const size_t lineEnd = text.find_last_of("\r\n", pos);
  if (lineEnd == std::string::npos) return false;
  return lineEnd + 1 < text.size() && (text[lineEnd + 1] == ' ' || text[lineEnd + 1] == '\t');
}

}  // namespace

bool ContainsFailureText(const std::string& text) {
  const std::string lower = boost::algorithm::to_lower_copy(text);
  for (const char* failure : kFailureTexts) {
    for (size_t at = lower.find(failure); at != std::string::npos; at = lower.find(failure, at + 1)) {
      if (!IsIndentedLine(lower, at)) return true;
    }
  }
  return false;
}

size_t FailureTextOverlap() {
  size_t longest = 0;
  for (const char* failure : kFailureTexts) longest = std::max(longest, std::string(failure).size());
  return longest - 1;
}

SProgressBlock ParseProgressBlock(const std::string& block) {
  const std::vector<std::string_view> lines = Lines(block);
  for (std::string_view line : lines) {
    if (const std::optional<int64_t> duration = DurationLine(line)) return SProgressBlock{*duration, false, false};
  }
  // The last status line of the block is the latest position.
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    if (const std::optional<int64_t> time = ProgressLine(*line)) return SProgressBlock{*time, true, false};
  }
  if (ContainsFailureText(block)) return SProgressBlock{-1, /*isTime=*/true, /*isError=*/true};
  if (block.find("Invalid data found when processing input") != std::string::npos) {
    return SProgressBlock{-1, /*isTime=*/false, /*isError=*/true};
  }
  return SProgressBlock();
}

}  // namespace corvane
