// Language packs: a pack file (in memory-backed /dev/shm) read as the program reads it (the
// "String" table both ways round, the "Info" icon name), with and without
// the UTF-8 byte-order mark.
#include <unistd.h>

#include <fstream>

#include "base/IniReader.h"
#include "base/TextConvert.h"
#include "settings/LanguagePack.h"
#include "tests/fuzz/FuzzInput.h"

using namespace corvane;

namespace {

constexpr char kMark[] = "\xEF\xBB\xBF";

const std::string& PackPath() {
  static const std::string path = "/dev/shm/corvane-fuzz-" + std::to_string(getpid()) + ".lng";
  return path;
}

void ReadPack(std::string_view bytes) {
  {
    std::ofstream out(PackPath(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    FUZZ_CHECK(out.good());
  }
  const std::wstring path = Utf8ToWide(PackPath());
  TLanguageTable keyToText, textToKey;
  FUZZ_CHECK(ReadLanguageStrings(path, keyToText));
  FUZZ_CHECK(ReadLanguageStringsInverted(path, textToKey));
  // Both tables come from the same lines: every key the inverted table
  // gives is a key of the table.
  for (const auto& [text, key] : textToKey) FUZZ_CHECK(keyToText.count(key) == 1);
  FUZZ_CHECK(ReadLanguageIconName(path).size() <= CIniReader::kMaxLine);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = fuzz::AsText(data, size);
  ReadPack(bytes);
  if (bytes.substr(0, 3) == kMark) {
    ReadPack(bytes.substr(3));
  } else {
    ReadPack(std::string(kMark) + std::string(bytes));
  }
  unlink(PackPath().c_str());
  return 0;
}
