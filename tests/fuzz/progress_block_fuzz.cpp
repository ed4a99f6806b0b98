// Blocks of the media tool's output while it converts, read for the total
// duration, the position and failure texts, and carried on to the progress
// bar as the join controller does.
//
// The input is split at its first NUL byte into two blocks (the tool's
// output arrives in pieces, and a NUL ends what the controller reads of a
// block anyway).
#include "engine/ProgressBlock.h"
#include "engine/ProgressPosition.h"
#include "tests/fuzz/FuzzInput.h"

using namespace corvane;

namespace {

// What the controller keeps of one block: a position or a duration. The
// reader runs inside the tool's output handler, so anything it throws ends
// a conversion of a valid clip: it escapes here and the fuzzer reports it.
void Read(const std::string& block, int64_t& time, int64_t& duration) {
  const SProgressBlock result = ParseProgressBlock(block);
  if (result.isError) {
    FUZZ_CHECK(result.seconds == -1);
    if (result.isTime) FUZZ_CHECK(ContainsFailureText(block));
    return;
  }
  FUZZ_CHECK(result.seconds >= 0);
  (result.isTime ? time : duration) = result.seconds;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input = fuzz::AsText(data, size);
  const size_t cut = std::min(input.find('\0'), input.size());
  int64_t time = 0, duration = 0;
  Read(std::string(input.substr(0, cut)), time, duration);
  if (cut < input.size()) Read(std::string(input.substr(cut + 1)), time, duration);

  for (EJoinMode mode : {kJoinToMpeg, kJoinFastRoute, kJoinByteCopy, kJoinFinalAvi, kJoinMp4Pass1, kJoinMp4Pass2}) {
    SProgressInput in;
    in.mode = mode;
    in.currentTime = time;
    in.totalDuration = duration;
    in.fileCount = 3;
    in.queueLength = 1;
    ComputeProgressPosition(in);
  }
  return 0;
}
