// The media tool's description of its inputs ("ffmpeg -i FILE ..."), read
// whole by ParseProbeOutput and split per input by ParseProbeAllOutput.
#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "base/TextConvert.h"
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

// The input is the tool's text, or names and text: before a NUL byte, the
// batch's names separated by 0x1F (a name may hold line breaks and fake
// headers), and after it the tool's text.
std::vector<std::wstring> Names(std::string_view part) {
  std::vector<std::wstring> names;
  for (size_t pos = 0; pos <= part.size() && names.size() < 8;) {
    const size_t end = std::min(part.find('\x1f', pos), part.size());
    names.push_back(Utf8ToWide(part.substr(pos, end - pos)));
    pos = end + 1;
  }
  return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input = fuzz::AsText(data, size);
  const size_t cut = input.find('\0');
  const std::vector<std::wstring> names =
      cut == std::string_view::npos ? std::vector<std::wstring>{L"clip.mp4", L"b.mp4"} : Names(input.substr(0, cut));
  const std::string output(cut == std::string_view::npos ? input : input.substr(cut + 1));

  SVideoPropertyInfo info;
  if (ParseProbeOutput(info, output)) {
    CheckRecord(info);
  } else {
    FUZZ_CHECK(info.format.empty() && info.duration.empty() && info.width == 0);  // left unchanged
  }

  SVideoPropertyInfo named;
  ParseProbeOutput(named, output, names.front());
  CheckRecord(named);

  // Never more records than inputs, whatever the text claims.
  const std::vector<SVideoPropertyInfo> records = ParseProbeAllOutput(output, names);
  FUZZ_CHECK(records.size() <= names.size());
  for (const SVideoPropertyInfo& record : records) CheckRecord(record);
  return 0;
}
