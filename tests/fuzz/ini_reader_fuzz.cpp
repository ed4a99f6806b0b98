// INI files read through CIniReader: each input is read twice, once as
// given and once with the other choice of byte-order mark (UTF-8 with the
// mark, the ANSI code page without it).
#include <memory>
#include <vector>

#include "base/F3DMemFile.h"
#include "base/IniReader.h"
#include "tests/fuzz/FuzzInput.h"

using namespace corvane;

namespace {

constexpr char kMark[] = "\xEF\xBB\xBF";
// No value can hold a lone surrogate: both decodings give U+FFFD instead.
const std::wstring kFallback(1, static_cast<wchar_t>(0xD800));

void ReadAll(std::vector<uint8_t> bytes) {
  CIniReader reader;
  FUZZ_CHECK(reader.Attach(std::make_unique<CF3DMemFile>(bytes.data(), bytes.size(), /*growBy=*/0)));
  for (const wchar_t* section : {L"String", L"Info", L"Config"}) {
    for (const auto& [key, value] : reader.ReadSection(section)) {
      if (key.empty()) continue;
      // A key the section lists is a key GetString finds (perhaps an earlier
      // line of the same key, in another case).
      const std::wstring found = reader.GetString(section, key, kFallback);
      FUZZ_CHECK(found != kFallback);
      FUZZ_CHECK(found.size() <= CIniReader::kMaxLine);
    }
    FUZZ_CHECK(reader.GetString(section, L"icon", L"").size() <= CIniReader::kMaxLine);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  ReadAll(bytes);
  const bool marked = fuzz::AsText(data, size).substr(0, 3) == kMark;
  if (marked) {
    ReadAll(std::vector<uint8_t>(data + 3, data + size));
  } else {
    bytes.insert(bytes.begin(), kMark, kMark + 3);
    ReadAll(bytes);
  }
  return 0;
}
