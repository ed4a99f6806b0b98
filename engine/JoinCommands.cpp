#include "engine/JoinCommands.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <initializer_list>

#include "engine/ToolRunner.h"
#include "engine/VideoPropertyInfo.h"

namespace corvane {
namespace {

// "-sameq" (same quantizer as the source) is gone from current FFmpeg. The
// intermediate is made at the finest quantizer, so "-q:v 1" is both the
// highest-quality intermediate and, in the final steps, the quantizer the
// source carries.
const wchar_t kToMpegHead[] = L"\"#ffmpegpath#\" -i \"#orgfilepath#\"";
const wchar_t kToMpegTail[] = L" -q:v 1 -f mpeg -y \"#outfilepath#\"";
// The one audio format of every intermediate.
const wchar_t kIntermediateAudio[] = L" -ar 44100 -ac 2";
const wchar_t kSilence[] = L" -f lavfi -i anullsrc=r=44100:cl=stereo";
// The joined stream is the intermediates byte for byte, each with time stamps
// of its own, so they jump back at every seam. The tool mends such a jump
// from whichever stream meets it first: with sound that is usually the audio,
// and the pictures after the seam then get stamps at or before the last
// picture's (an MP4 whose decoding reports "non monotonically increasing
// dts"; AVI and FLV drop the picture instead). Every final step therefore
// numbers the decoded frames anew: pictures by count at the stream's rate,
// sound by samples, both from zero. Each intermediate carries sound and
// picture of one length, so counting keeps them together across the seams,
// and it keeps every picture (the intermediates are at one constant rate).
const wchar_t kAvi[] =
    L"\"#ffmpegpath#\" -f mpeg -i \"#orgfilepath#\" -vf \"setpts=N/FRAME_RATE/TB\" -af \"asetpts=N/SR/TB\" "
    L"-acodec libmp3lame -vcodec msmpeg4 -ab %dk -b:v %dk -ar %d -q:v 1 -f avi -y \"#outfilepath#\"";
const wchar_t kFlv[] =
    L"\"#ffmpegpath#\" -f mpeg -i \"#orgfilepath#\" -vf \"setpts=N/FRAME_RATE/TB\" -af \"asetpts=N/SR/TB\" "
    L"-q:v 1 -ar %d -f flv -y \"#outfilepath#\"";
// RealVideo 1.0 refuses frames whose sides are not multiples of 16.
const wchar_t kRm[] =
    L"\"#ffmpegpath#\" -f mpeg -i \"#orgfilepath#\" -q:v 1 -ar %d "
    L"-vf \"setpts=N/FRAME_RATE/TB,scale=trunc(iw/16)*16:trunc(ih/16)*16\" -af \"asetpts=N/SR/TB\" "
    L"-f rm -y \"#outfilepath#\"";
// "-f asf": the container is named, not guessed from the output's extension
// (".wma" and ".asf" outputs, or a name the tool does not know).
const wchar_t kWmv[] =
    L"\"#ffmpegpath#\" -f mpeg -i \"#orgfilepath#\" -vf \"setpts=N/FRAME_RATE/TB\" -af \"asetpts=N/SR/TB\" "
    L"-q:v 1 -ar %d -vcodec wmv2 -acodec wmav2 -f asf -y \"#outfilepath#\"";
// "-fps_mode passthrough" in both passes: each decoded frame is encoded once,
// neither doubled nor dropped to fit a constant rate. Pass 2 has sound and
// pass 1 has not, and the tool's constant-rate decisions follow the sound's
// timing too: the two passes would see different frames and the second
// would stop on statistics that do not match its frames. The new stamps
// (above) come from the frame count alone, so they too are the same in both
// passes.
const wchar_t kMp4Pass1[] =
    L"\"#ffmpegpath#\" -f mpeg -i \"#orgfilepath#\" -an -fps_mode passthrough -pass 1 -vcodec libx264 -preset veryslow -b:v %dk "
    L"-threads 0 -f #filetype# -vf \"setpts=N/FRAME_RATE/TB,scale=%d:trunc(ow/a/vsub)*vsub\" -y \"#outfilepath#\"";
// "libfaac" is no longer part of FFmpeg; its own "aac" encoder replaces it.
const wchar_t kMp4Pass2[] =
    L"\"#ffmpegpath#\" -f mpeg -i \"#orgfilepath#\" -acodec aac -ab %dk -af \"asetpts=N/SR/TB\" -fps_mode passthrough -pass 2 "
    L"-vcodec libx264 -preset veryslow -b:v %dk -threads 0 -f #filetype# "
    L"-vf \"setpts=N/FRAME_RATE/TB,scale=%d:trunc(ow/a/vsub)*vsub\" -y \"#outfilepath#\"";

// Inputs slower than this get a faster intermediate (as before), now at a
// rate MPEG-1 accepts: 20 fps is not one of its rates.
constexpr int kSlowestIntermediateRate = 20;
const wchar_t kRateForSlowInputs[] = L"24";

// The frame rates MPEG-1 video can carry.
const struct { double rate; const wchar_t* text; } kMpegRates[] = {
    {24000.0 / 1001, L"24000/1001"}, {24, L"24"}, {25, L"25"}, {30000.0 / 1001, L"30000/1001"},
    {30, L"30"}, {50, L"50"}, {60000.0 / 1001, L"60000/1001"}, {60, L"60"}};

// Formats the numbers into the "%d" fields, in order.
std::wstring FormatNumbers(std::wstring text, std::initializer_list<int> numbers) {
  size_t from = 0;
  for (int number : numbers) {
    const size_t field = text.find(L"%d", from);
    if (field == std::wstring::npos) break;
    const std::wstring digits = std::to_wstring(number);
    text.replace(field, 2, digits);
    from = field + digits.size();
  }
  return text;
}

std::wstring Substitute(std::wstring command, const std::wstring& toolPath, const std::wstring* fileType,
                        const std::wstring& input, const std::wstring& output) {
  SubstitutePlaceholders(command, toolPath, fileType, input, /*input2=*/std::wstring(), output);
  return command;
}

const std::wstring kMp4FileType = L"mp4";

// The statistics of both passes go to the folder made for them, named after
// the pass option ("-passlogfile"), not found as the current folder: a
// folder deeper than MAX_PATH cannot be a process's current folder, but the
// tool opens such a path itself. The tool adds "-0.log" (and x264 its
// ".mbtree") to the name.
std::wstring WithStatsFolder(std::wstring command, const wchar_t* passOption, const std::wstring& statsFolder) {
  const size_t at = command.find(passOption);
  if (at == std::wstring::npos || statsFolder.empty()) return command;
  command.insert(at + std::wcslen(passOption), L" -passlogfile \"" + statsFolder + L"ffmpeg2pass\"");
  return command;
}

}  // namespace

std::wstring IntermediateFrameRate(double frameRate) {
  if (!std::isfinite(frameRate) || std::trunc(frameRate) < kSlowestIntermediateRate) {
    return kRateForSlowInputs;
  }
  const wchar_t* nearest = kMpegRates[0].text;
  double nearestDistance = HUGE_VAL;
  for (const auto& entry : kMpegRates) {
    const double distance = std::fabs(entry.rate - frameRate);
    if (distance < nearestDistance) {
      nearestDistance = distance;
      nearest = entry.text;
    }
  }
  return nearest;
}

SIntermediateFormat MakeIntermediateFormat(const SVideoPropertyInfo& reference) {
  // MPEG-1 pictures are at most 4095 pixels a side; the encoder wants even sides.
  constexpr int kMaxSide = 4094;
  SIntermediateFormat format;
  if (reference.width > 0 && reference.height > 0 && reference.width <= kMaxSide && reference.height <= kMaxSide) {
    format.width = std::max(2, reference.width & ~1);
    format.height = std::max(2, reference.height & ~1);
  }
  format.frameRate = IntermediateFrameRate(reference.frameRate);
  return format;
}

namespace {

std::wstring PictureFilter(const SIntermediateFormat& format, bool padToLength) {
  std::wstring filters;
  if (format.width > 0) {
    const std::wstring w = std::to_wstring(format.width), h = std::to_wstring(format.height);
    filters = L"scale=" + w + L":" + h + L":force_original_aspect_ratio=decrease,pad=" + w + L":" + h +
              L":(ow-iw)/2:(oh-ih)/2,setsar=1";
  }
  // The last picture stays until the sound ends.
  if (padToLength) filters += std::wstring(filters.empty() ? L"" : L",") + L"tpad=stop=-1:stop_mode=clone";
  return filters.empty() ? std::wstring() : L" -vf \"" + filters + L"\"";
}

// Seconds with two decimals, as the tool printed the input's length.
std::wstring SecondsText(double seconds) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%.2f", seconds);
  return text;
}

}  // namespace

std::wstring BuildToMpegCommand(const std::wstring& toolPath, const std::wstring& input,
                                const std::wstring& intermediate, const SIntermediateFormat& format,
                                const SVideoPropertyInfo& inputRecord) {
  const bool hasSound = !inputRecord.audioCodec.empty();
  const std::optional<double> length = inputRecord.DurationSeconds();
  std::wstring command = kToMpegHead;
  if (!hasSound) command += kSilence;
  command += hasSound ? L" -map 0:v:0 -map 0:a:0" : L" -map 0:v:0 -map 1:a:0";
  // With a known length both streams are padded without end and cut at it;
  // otherwise the sound is padded to the picture's end.
  command += PictureFilter(format, /*padToLength=*/length.has_value());
  command += L" -af apad";
  command += length ? L" -t " + SecondsText(*length) : std::wstring(L" -shortest");
  command += L" -r " + format.frameRate;
  command += kIntermediateAudio;
  command += kToMpegTail;
  const std::wstring noFileType;
  return Substitute(command, toolPath, &noFileType, input, intermediate);
}

std::wstring BuildAviCommand(const std::wstring& toolPath, const std::wstring& joined, const std::wstring& output,
                             const SConversionParams& params) {
  const std::wstring command =
      FormatNumbers(kAvi, {params.audioBitrate, params.videoBitrate, params.normalisedSampleRate});
  const std::wstring noFileType;
  return Substitute(command, toolPath, &noFileType, joined, output);
}

std::wstring BuildFlvCommand(const std::wstring& toolPath, const std::wstring& joined, const std::wstring& output,
                             const SConversionParams& params) {
  const std::wstring noFileType;
  return Substitute(FormatNumbers(kFlv, {params.normalisedSampleRate}), toolPath, &noFileType, joined, output);
}

int RmSampleRate(int normalisedSampleRate) {
  return normalisedSampleRate >= 44100 ? 44100 : 32000;
}

std::wstring BuildRmCommand(const std::wstring& toolPath, const std::wstring& joined, const std::wstring& output,
                            const SConversionParams& params) {
  const std::wstring noFileType;
  return Substitute(FormatNumbers(kRm, {RmSampleRate(params.normalisedSampleRate)}), toolPath, &noFileType, joined,
                    output);
}

std::wstring BuildWmvCommand(const std::wstring& toolPath, const std::wstring& joined, const std::wstring& output,
                             const SConversionParams& params) {
  const std::wstring noFileType;
  return Substitute(FormatNumbers(kWmv, {params.normalisedSampleRate}), toolPath, &noFileType, joined, output);
}

std::wstring BuildMp4Pass1Command(const std::wstring& toolPath, const std::wstring& joined,
                                  const std::wstring& output, const SConversionParams& params,
                                  const std::wstring& statsFolder) {
  const std::wstring command = Substitute(FormatNumbers(kMp4Pass1, {params.videoBitrate, params.width}), toolPath,
                                          &kMp4FileType, joined, output);
  return WithStatsFolder(command, L" -pass 1", statsFolder);
}

std::wstring BuildMp4Pass2Command(const std::wstring& toolPath, const std::wstring& joined,
                                  const std::wstring& output, const SConversionParams& params,
                                  const std::wstring& statsFolder) {
  const std::wstring command = Substitute(
      FormatNumbers(kMp4Pass2, {params.audioBitrate, params.videoBitrate, params.width}), toolPath, &kMp4FileType,
      joined, output);
  return WithStatsFolder(command, L" -pass 2", statsFolder);
}

}  // namespace corvane
