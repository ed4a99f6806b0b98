#include "cli/ProbeReport.h"

#include <sstream>

#include "base/TextConvert.h"

namespace corvane {
namespace {

void Line(std::ostringstream& out, const char* name, const std::wstring& value) {
  out << name << ": " << WideToUtf8(value) << '\n';
}

template <class TNumber>
void Line(std::ostringstream& out, const char* name, TNumber value) {
  out << name << ": " << value << '\n';
}

}  // namespace

std::string FormatProbeReport(const SVideoPropertyInfo& info) {
  std::ostringstream out;
  out.precision(10);  // enough for any bit rate without an exponent
  Line(out, "filePath", info.filePath);
  Line(out, "format", info.format);
  Line(out, "width", info.width);
  Line(out, "height", info.height);
  Line(out, "bitrate", info.bitrate);
  Line(out, "videoBitrate", info.videoBitrate);
  Line(out, "audioBitrate", info.audioBitrate);
  Line(out, "frameRate", info.frameRate);
  Line(out, "duration", info.duration);
  Line(out, "videoCodec", info.videoCodec);
  Line(out, "audioCodec", info.audioCodec);
  Line(out, "audioSampleRate", info.audioSampleRate);
  return out.str();
}

}  // namespace corvane
