// A server's response headers as the updater reads them: the header cache
// over a platform that answers from a raw header block ("Name: value"
// lines), and the "Content-Length" value.
#include <string>
#include <vector>

#include "base/http/ContentLength.h"
#include "base/http/HttpClientMap.h"
#include "base/http/HttpHeaderCache.h"
#include "tests/fuzz/FuzzInput.h"

using namespace corvane;

namespace {

struct SHeaderLine {
  std::wstring name, value;
};

// "Name: value" lines (CR LF or LF); the value without blanks around it, as
// the platform hands it over. Lines without a colon are skipped.
std::vector<SHeaderLine> SplitHeaderBlock(const std::wstring& block) {
  std::vector<SHeaderLine> lines;
  size_t at = 0;
  while (at <= block.size()) {
    size_t end = block.find(L'\n', at);
    if (end == std::wstring::npos) end = block.size();
    std::wstring line = block.substr(at, end - at);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    const size_t colon = line.find(L':');
    if (colon != std::wstring::npos) {
      std::wstring value = line.substr(colon + 1);
      value.erase(0, value.find_first_not_of(L" \t"));
      value.erase(value.find_last_not_of(L" \t") + 1);
      lines.push_back({line.substr(0, colon), value});
    }
    at = end + 1;
  }
  return lines;
}

std::vector<std::wstring> Occurrences(const std::vector<SHeaderLine>& lines, std::wstring_view name) {
  std::vector<std::wstring> values;
  for (const SHeaderLine& line : lines) {
    if (Zorpa::EqualNoCase(line.name, name)) values.push_back(line.value);
  }
  return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<SHeaderLine> lines = SplitHeaderBlock(fuzz::WideFromBytes(fuzz::AsText(data, size)));
  const Zorpa::HeaderQueryFn query = [&lines](std::wstring_view name, unsigned occurrence, std::wstring& value) {
    const std::vector<std::wstring> values = Occurrences(lines, name);
    if (occurrence >= values.size()) return Zorpa::EHeaderQuery::kNotFound;
    value = values[occurrence];
    return Zorpa::EHeaderQuery::kFound;
  };

  Zorpa::CHttpHeaderCache cache;
  std::vector<std::wstring> names = {L"Content-Length", L"Server", L"Date", L"X-Powered-By", L"Content-Type"};
  // Each lookup asks for every occurrence: a bounded number of names keeps a
  // run fast.
  for (size_t i = 0; i < lines.size() && i < 32; ++i) names.push_back(lines[i].name);
  for (int pass = 0; pass < 2; ++pass) {  // the second pass reads from the cache
    for (const std::wstring& name : names) {
      const std::vector<std::wstring> expected = Occurrences(lines, name);
      for (size_t i = 0; i <= expected.size(); ++i) {
        const std::wstring* value = cache.Lookup(name, i, query);
        if (i == expected.size()) {
          FUZZ_CHECK(value == nullptr);
        } else {
          FUZZ_CHECK(value != nullptr && *value == expected[i]);
        }
      }
    }
  }

  for (const std::wstring& value : Occurrences(lines, L"Content-Length")) {
    uint64_t length = 0;
    if (!Zorpa::ParseContentLength(value, length)) continue;
    // The number read is the number written, digit for digit (leading zeros aside).
    const std::wstring digits = value.substr(std::min(value.find_first_not_of(L'0'), value.size() - 1));
    FUZZ_CHECK(std::to_wstring(length) == digits);
  }
  return 0;
}
