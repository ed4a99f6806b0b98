// The media tool's description of its inputs ("ffmpeg -i FILE ..."), read
// whole by ParseProbeOutput and split per input by ParseProbeAllOutput.
#include <cmath>

#include "engine/ProbeParser.h"
#include "tests/fuzz/FuzzInput.h"

using namespace corvane;

namespace {

void CheckRecord(const SVideoPropertyInfo& info) {
  // Whatever the text, a duration is a real length of time.
  if (const std::optional<double> seconds = info.DurationSeconds()) {
    FUZZ_CHECK(std::isfinite(*seconds) && *seconds >= 0);
  }
  SVideoPropertyInfo::CodecName(info.videoCodec);
  SVideoPropertyInfo::CodecName(info.audioCodec);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string output(fuzz::AsText(data, size));

  SVideoPropertyInfo info;
  if (ParseProbeOutput(info, output)) {
    CheckRecord(info);
  } else {
    FUZZ_CHECK(info.format.empty() && info.duration.empty() && info.width == 0);  // left unchanged
  }

  const std::vector<SVideoPropertyInfo> records = ParseProbeAllOutput(output);
  for (const SVideoPropertyInfo& record : records) CheckRecord(record);
  return 0;
}
