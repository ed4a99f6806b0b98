// One block of the media tool's output while it converts, read for the
// total duration, the position and failure texts.
#include <boost/lexical_cast.hpp>

#include "engine/ProgressBlock.h"
#include "tests/fuzz/FuzzInput.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string block(fuzz::AsText(data, size));
  try {
    const SProgressBlock result = ParseProgressBlock(block);
    if (result.isError) FUZZ_CHECK(result.seconds == -1);
    if (result.isError && result.isTime) FUZZ_CHECK(ContainsFailureText(block));
  } catch (const boost::bad_lexical_cast&) {
    // The documented outcome of a number group that is no number: the
    // caller's run ends as if its handler said stop. Anything else thrown
    // escapes and the fuzzer reports it.
  }
  return 0;
}
