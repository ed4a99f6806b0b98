// The concat list the fast route writes for the media tool: whatever the
// input paths, the tool must read back exactly those paths, in order.
//
// The program only writes this list and has no reader of its own, so the
// reader below is a test-only one written from the syntax the tool's concat
// demuxer documents: lines end at LF, CR or NUL; white space (blank, tab)
// before a word is skipped; "file" then one token; in a token, single
// quotes group text literally and, outside quotes, a backslash takes the
// next character literally; unquoted white space ends the token.
#include <optional>

#include "base/TextConvert.h"
#include "engine/ConcatList.h"
#include "tests/fuzz/FuzzInput.h"

using namespace corvane;

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// One token from `line` at `at` (the tool's token rules).
std::string ReadToken(const std::string& line, size_t& at) {
  while (at < line.size() && IsSpace(line[at])) ++at;
  std::string token;
  while (at < line.size() && !IsSpace(line[at])) {
    const char c = line[at++];
    if (c == '\\' && at < line.size()) {
      token += line[at++];
    } else if (c == '\'') {
      while (at < line.size() && line[at] != '\'') token += line[at++];
      if (at < line.size()) ++at;
    } else {
      token += c;
    }
  }
  return token;
}

// The file paths of a list, or nothing when a line is not "file <token>".
std::optional<std::vector<std::string>> ReadConcatList(const std::string& list) {
  std::vector<std::string> paths;
  size_t start = 0;
  while (start < list.size()) {
    size_t end = start;
    while (end < list.size() && list[end] != '\n' && list[end] != '\r' && list[end] != '\0') ++end;
    const std::string line = list.substr(start, end - start);
    start = end + 1;
    size_t at = 0;
    while (at < line.size() && IsSpace(line[at])) ++at;
    if (at == line.size() || line[at] == '#') continue;  // blank line or comment
    if (line.compare(at, 5, "file ") != 0 && line.compare(at, 5, "file\t") != 0) return std::nullopt;
    at += 4;
    paths.push_back(ReadToken(line, at));
    while (at < line.size() && IsSpace(line[at])) ++at;
    if (at != line.size()) return std::nullopt;  // more than one token
  }
  return paths;
}

// Paths from the bytes: U+0001 separates them (a path may hold any other
// character, NUL and the line ends included).
std::vector<std::wstring> SplitPaths(const std::wstring& text) {
  std::vector<std::wstring> paths;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(L'\x01', start);
    paths.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
    if (end == std::wstring::npos) return paths;
    start = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::wstring> inputs = SplitPaths(fuzz::WideFromBytes(fuzz::AsText(data, size)));
  const std::string list = BuildConcatList(inputs);
  if (list.empty()) return 0;  // refused: the fast route reports failure and writes nothing
  const std::optional<std::vector<std::string>> read = ReadConcatList(list);
  FUZZ_CHECK(read.has_value());
  FUZZ_CHECK(read->size() == inputs.size());
  for (size_t i = 0; i < inputs.size(); ++i) {
    // As the tool sees it: the path's UTF-8 bytes.
    FUZZ_CHECK((*read)[i] == WideToUtf8(inputs[i]));
  }
  return 0;
}
