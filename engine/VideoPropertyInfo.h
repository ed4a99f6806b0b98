#pragma once
// What the media tool's description of one file says about it.
#include <cstdint>
#include <optional>
#include <string>

namespace corvane {

// Media information of one file, filled by ParseProbeOutput. Copied by value
// (the join controller keeps the first input's record). A cleared record has
// empty strings and zero numbers. Bit rates are in kb/s.
struct SVideoPropertyInfo {
  std::wstring filePath;         // the probed file as the caller named it
  std::wstring format;           // short container name ("mp4", "f4v", "WebM", ...)
  int32_t width = 0;
  int32_t height = 0;
  double bitrate = 0;            // overall
  double videoBitrate = 0;
  double audioBitrate = 0;
  double frameRate = 0;          // frames per second, fractions kept (29.97)
  std::wstring duration;         // as printed: hours:minutes:seconds.hundredths
  std::wstring videoCodec;       // first field after "Video:", trimmed
  std::wstring audioCodec;       // first field after "Audio:", trimmed
  std::wstring audioSampleRate;  // second field after "Audio:", e.g. "44100 Hz"
  std::wstring audioChannels;    // third field after "Audio:", e.g. "stereo"

  void Clear() { *this = SVideoPropertyInfo(); }

  bool HasAac() const { return audioCodec.find(L"aac") != std::wstring::npos; }
  bool HasH264() const { return videoCodec.find(L"h264") != std::wstring::npos; }
  // Too little is known to trust the file: no overall bit rate, no audio
  // sample rate (which includes "no audio at all") or no frame rate.
  // The duration in seconds; none when the tool printed none (or "N/A").
  std::optional<double> DurationSeconds() const;
  // The first word of a codec field: "h264" of "h264 (High) (avc1 / 0x31637661)".
  static std::wstring CodecName(const std::wstring& codecField);

  bool IsIncomplete() const {
    return bitrate == 0 || audioSampleRate.empty() || frameRate == 0;
  }
};

}  // namespace corvane
