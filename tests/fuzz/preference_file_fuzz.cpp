// The native preference store's file ("[Section]", "Name=type:value" lines),
// which a user may edit by hand.
#include "settings/PreferenceFileFormat.h"
#include "tests/fuzz/FuzzInput.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const CPreferenceTable table = ParsePreferenceFile(std::string(fuzz::AsText(data, size)));
  // Whatever was read is written so that it reads back the same: saving
  // the store never changes or drops a value it holds.
  const std::string saved = FormatPreferenceFile(table);
  const std::string savedAgain = FormatPreferenceFile(ParsePreferenceFile(saved));
  FUZZ_CHECK(saved == savedAgain);
  return 0;
}
