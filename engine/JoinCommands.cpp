#include "engine/JoinCommands.h"

#include <cmath>
#include <initializer_list>

#include "engine/IntermediateNames.h"
#include "engine/ToolRunner.h"

namespace corvane {
namespace {

// "-sameq" (same quantizer as the source) is gone from current FFmpeg. The
// intermediate is made at the finest quantizer, so "-q:v 1" is both the
// highest-quality intermediate and, in the final steps, the quantizer the
// source carries.
const wchar_t kToMpeg[] = L"\"#ffmpegpath#\" -i \"#orgfilepath#\" -q:v 1 -f mpeg -y \"#outfilepath#\"";
const wchar_t kToMpegAtRate[] =
    L"\"#ffmpegpath#\" -i \"#orgfilepath#\" -q:v 1 -r %s -f mpeg -y \"#outfilepath#\"";
const wchar_t kByteCopy[] = L"cmd.exe /c copy /b /y #orgfilepath# \"#outfilepath#\"";
const wchar_t kAvi[] =
    L"\"#ffmpegpath#\" -f mpeg -i \"#orgfilepath#\" -acodec libmp3lame -vcodec msmpeg4 -ab %dk -b:v %dk "
    L"-ar %d -q:v 1 -f avi -y \"#outfilepath#\"";
const wchar_t kFlv[] = L"\"#ffmpegpath#\" -f mpeg -i \"#orgfilepath#\" -q:v 1 -ar %d -f flv -y \"#outfilepath#\"";
// RealVideo 1.0 refuses frames whose sides are not multiples of 16.
const wchar_t kRm[] =
    L"\"#ffmpegpath#\" -f mpeg -i \"#orgfilepath#\" -q:v 1 -ar %d -vf \"scale=trunc(iw/16)*16:trunc(ih/16)*16\" "
    L"-f rm -y \"#outfilepath#\"";
const wchar_t kWmv[] =
    L"\"#ffmpegpath#\" -f mpeg -i \"#orgfilepath#\" -q:v 1 -ar %d -vcodec wmv2 -acodec wmav2 -y \"#outfilepath#\"";
const wchar_t kMp4Pass1[] =
    L"\"#ffmpegpath#\" -f mpeg -i \"#orgfilepath#\" -an -pass 1 -vcodec libx264 -preset veryslow -b:v %dk "
    L"-threads 0 -f #filetype# -vf \"scale=%d:trunc(ow/a/vsub)*vsub\" -y \"#outfilepath#\"";
// "libfaac" is no longer part of FFmpeg; its own "aac" encoder replaces it.
const wchar_t kMp4Pass2[] =
    L"\"#ffmpegpath#\" -f mpeg -i \"#orgfilepath#\" -acodec aac -ab %dk -pass 2 -vcodec libx264 -preset veryslow "
    L"-b:v %dk -threads 0 -f #filetype# -vf \"scale=%d:trunc(ow/a/vsub)*vsub\" -y \"#outfilepath#\"";

// Inputs slower than this get a faster intermediate (as before), now at a
// rate MPEG-1 accepts: 20 fps is not one of its rates.
constexpr int kSlowestIntermediateRate = 20;
const wchar_t kRateForSlowInputs[] = L"24";

// The frame rates MPEG-1 video can carry.
const struct { double rate; const wchar_t* text; } kMpegRates[] = {
    {24000.0 / 1001, L"24000/1001"}, {24, L"24"}, {25, L"25"}, {30000.0 / 1001, L"30000/1001"},
    {30, L"30"}, {50, L"50"}, {60000.0 / 1001, L"60000/1001"}, {60, L"60"}};
// The probe reads rates printed with two decimals (23.98 for 24000/1001).
constexpr double kRateTolerance = 0.01;

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

}  // namespace

std::wstring IntermediateFrameRate(double frameRate) {
  if (!std::isfinite(frameRate) || std::trunc(frameRate) < kSlowestIntermediateRate) {
    return kRateForSlowInputs;
  }
  const wchar_t* nearest = kMpegRates[0].text;
  double nearestDistance = HUGE_VAL;
  for (const auto& entry : kMpegRates) {
    const double distance = std::fabs(entry.rate - frameRate);
    if (distance <= kRateTolerance) return {};
    if (distance < nearestDistance) {
      nearestDistance = distance;
      nearest = entry.text;
    }
  }
  return nearest;
}

std::wstring BuildToMpegCommand(const std::wstring& toolPath, const std::wstring& input,
                                const std::wstring& intermediate, double frameRate) {
  const std::wstring rate = IntermediateFrameRate(frameRate);
  std::wstring command = kToMpeg;
  if (!rate.empty()) {
    command = kToMpegAtRate;
    command.replace(command.find(L"%s"), 2, rate);
  }
  const std::wstring noFileType;
  return Substitute(command, toolPath, &noFileType, input, intermediate);
}

std::wstring BuildByteCopyCommand(const std::vector<std::wstring>& intermediates, const std::wstring& joined) {
  return Substitute(kByteCopy, /*toolPath=*/std::wstring(), /*fileType=*/nullptr, CopySourceList(intermediates),
                    joined);
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
                                  const std::wstring& output, const SConversionParams& params) {
  return Substitute(FormatNumbers(kMp4Pass1, {params.videoBitrate, params.width}), toolPath, &kMp4FileType, joined,
                    output);
}

std::wstring BuildMp4Pass2Command(const std::wstring& toolPath, const std::wstring& joined,
                                  const std::wstring& output, const SConversionParams& params) {
  return Substitute(FormatNumbers(kMp4Pass2, {params.audioBitrate, params.videoBitrate, params.width}), toolPath,
                    &kMp4FileType, joined, output);
}

}  // namespace corvane
