// Both join routes run for real with Debian's ffmpeg; every product is
// checked with ffprobe (duration, stream kinds, codecs).
#include <stdio.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/TextConvert.h"
#include "engine/ByteCopyJoin.h"
#include "engine/ConversionParams.h"
#include "engine/FastJoin.h"
#include "engine/IntermediateNames.h"
#include "engine/JoinCommands.h"
#include "engine/ProbeMedia.h"
#include "engine/TempFiles.h"
#include "engine/ToolRunner.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string Capture(const std::string& command) {
  std::string text;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  if (!pipe) return text;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0) text.append(buffer, n);
  return text;
}

// What ffprobe says about a product.
struct SProduct {
  double duration = -1;
  std::vector<std::string> kinds;   // codec_type per stream
  std::vector<std::string> codecs;  // codec_name per stream
  bool Has(const std::string& kind, const std::string& codec) const {
    for (size_t i = 0; i < kinds.size() && i < codecs.size(); ++i) {
      if (kinds[i] == kind && codecs[i] == codec) return true;
    }
    return false;
  }
};

SProduct Inspect(const std::wstring& path) {
  const std::string text = Capture("ffprobe -v error -show_entries stream=codec_type,codec_name:format=duration "
                                   "-of default=nw=1 " + ShellQuote(WideToUtf8(path)) + " 2>/dev/null");
  SProduct product;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    const size_t eq = line.find('=');
    if (eq != std::string::npos) {
      const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
      if (key == "codec_name") product.codecs.push_back(value);
      if (key == "codec_type") product.kinds.push_back(value);
      if (key == "duration" && value != "N/A") product.duration = std::stod(value);
    }
    start = end + 1;
  }
  return product;
}

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
std::string ReadAll(const std::wstring& file) { return ReadAll(fs::path(WideToUtf8(file))); }

bool RunToEnd(const std::wstring& command, const std::wstring& workingFolder = std::wstring()) {
  const auto keepReading = [](TStdStr<char>&, const TStdStr<char>&) { return true; };
  const auto done = [](const TStdStr<char>&) { return true; };
  return RunTool(workingFolder, command, keepReading, done);
}

constexpr double kDurationA = 2, kDurationB = 3, kJoinedDuration = kDurationA + kDurationB;
constexpr double kTolerance = 0.5;

// Two inputs (25 fps, and 15 fps with 48 kHz audio so that the frame-rate
// branch and the sample-rate normalisation are exercised) with awkward
// names, converted to intermediates and joined once for all final steps.
class JoinRoutes : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_tool = GetToolPath();
    ASSERT_FALSE(s_tool.empty()) << "ffmpeg is needed";
    s_root = fs::temp_directory_path() / ("corvane-join-e2e-" + std::to_string(::getpid()));
    fs::remove_all(s_root);
    fs::create_directories(s_root / "in put");
    fs::create_directories(s_root / "out");
    s_inputs = {MakeClip("a one.mp4", "rate=25", kDurationA, 44100), MakeClip("b'\xC3\xA9 & c.mp4", "rate=15", kDurationB, 48000)};
    // Stream copy needs inputs of one kind: the fast route gets a partner
    // for the first input that differs only in length and name.
    s_sameKind = MakeClip("c'\xE4\xB8\x89 & d.mp4", "rate=25", kDurationB, 44100);
    ASSERT_TRUE(ProbeMedia(s_inputs[0], s_first));
    s_params = MakeConversionParams(s_first);
  }
  static void TearDownTestSuite() { fs::remove_all(s_root); }

  static std::wstring MakeClip(const std::string& name, const std::string& rate, double seconds, int sampleRate) {
    const fs::path plain = s_root / "in put" / "clip.mp4";
    const std::string d = std::to_string(seconds);
    const std::string command =
        "ffmpeg -nostdin -loglevel error -y -f lavfi -i testsrc=size=160x120:" + rate + ":duration=" + d +
        " -f lavfi -i sine=sample_rate=" + std::to_string(sampleRate) + ":duration=" + d +
        " -c:v libx264 -pix_fmt yuv420p -c:a aac " + ShellQuote(plain.string());
    EXPECT_EQ(0, std::system(command.c_str()));
    fs::rename(plain, s_root / "in put" / name);
    return Utf8ToWide((s_root / "in put" / name).string());
  }
  static std::wstring Out(const std::string& name) { return Utf8ToWide((s_root / "out" / name).string()); }

  // The MPEG route up to the joined stream, made once.
  static const std::wstring& Joined() {
    static std::wstring joined;
    if (!joined.empty()) return joined;
    std::vector<std::wstring> intermediates;
    for (const std::wstring& input : s_inputs) {
      SVideoPropertyInfo info;
      EXPECT_TRUE(ProbeMedia(input, info));
      const std::wstring intermediate = IntermediatePath(Out("result.avi"), input);
      EXPECT_TRUE(RunToEnd(BuildToMpegCommand(s_tool, input, intermediate, MakeIntermediateFormat(s_first), info)));
      intermediates.push_back(intermediate);
    }
    const std::wstring path = JoinedStreamPath(intermediates.front());
    EXPECT_TRUE(JoinByteCopy(intermediates, path, {}));
    joined = path;
    return joined;
  }

  static void ExpectJoinedProduct(const std::wstring& path, const std::string& video, const std::string& audio) {
    const SProduct product = Inspect(path);
    EXPECT_NEAR(kJoinedDuration, product.duration, kTolerance) << WideToUtf8(path);
    EXPECT_TRUE(product.Has("video", video)) << WideToUtf8(path);
    EXPECT_TRUE(product.Has("audio", audio)) << WideToUtf8(path);
    EXPECT_EQ(2u, product.kinds.size()) << WideToUtf8(path);
  }

  static std::wstring s_tool;
  static fs::path s_root;
  static std::vector<std::wstring> s_inputs;
  static std::wstring s_sameKind;
  static SVideoPropertyInfo s_first;
  static SConversionParams s_params;
};

std::wstring JoinRoutes::s_tool;
fs::path JoinRoutes::s_root;
std::vector<std::wstring> JoinRoutes::s_inputs;
std::wstring JoinRoutes::s_sameKind;
SVideoPropertyInfo JoinRoutes::s_first;
SConversionParams JoinRoutes::s_params;

TEST_F(JoinRoutes, ProbeOfTheRealInputs) {
  EXPECT_EQ(L"mp4", s_first.format);
  EXPECT_EQ(25, s_first.frameRate);
  EXPECT_EQ(160, s_first.width);
  EXPECT_EQ(L"00:00:02.00", s_first.duration);
  SVideoPropertyInfo second;
  ASSERT_TRUE(ProbeMedia(s_inputs[1], second));
  EXPECT_EQ(15, second.frameRate);
  EXPECT_EQ(L"48000 Hz", second.audioSampleRate);
  EXPECT_EQ(s_inputs[1], second.filePath);
}

TEST_F(JoinRoutes, PerInputStepMakesAnMpegStreamEvenAt15Fps) {
  for (size_t i = 0; i < s_inputs.size(); ++i) {
    SVideoPropertyInfo info;
    ASSERT_TRUE(ProbeMedia(s_inputs[i], info));
    const std::wstring intermediate = Out("single" + std::to_string(i) + ".xbv");
    ASSERT_TRUE(RunToEnd(BuildToMpegCommand(s_tool, s_inputs[i], intermediate, MakeIntermediateFormat(s_first), info)));
    const SProduct product = Inspect(intermediate);
    EXPECT_NEAR(i == 0 ? kDurationA : kDurationB, product.duration, kTolerance);
    EXPECT_TRUE(product.Has("video", "mpeg1video"));
    EXPECT_TRUE(product.Has("audio", "mp2"));
    RemoveFile(intermediate);
  }
}

TEST_F(JoinRoutes, ByteCopyJoinHoldsBothIntermediates) {
  const std::wstring& joined = Joined();
  ASSERT_FALSE(joined.empty());
  EXPECT_EQ(L"a one_all.xbv", fs::path(WideToUtf8(joined)).filename().wstring());
  const std::vector<std::wstring> parts = {Out("a one.xbv"), Out("b'\xC3\xA9 & c.xbv")};
  EXPECT_EQ(ReadAll(parts[0]) + ReadAll(parts[1]), ReadAll(joined));
  const SProduct product = Inspect(joined);
  EXPECT_TRUE(product.Has("video", "mpeg1video"));
  EXPECT_TRUE(product.Has("audio", "mp2"));
}

TEST_F(JoinRoutes, AviConversion) {
  const std::wstring output = Out("result.avi");
  ASSERT_TRUE(RunToEnd(BuildAviCommand(s_tool, Joined(), output, s_params)));
  ExpectJoinedProduct(output, "msmpeg4v3", "mp3");
}

TEST_F(JoinRoutes, FlvConversion) {
  const std::wstring output = Out("result.flv");
  ASSERT_TRUE(RunToEnd(BuildFlvCommand(s_tool, Joined(), output, s_params)));
  ExpectJoinedProduct(output, "flv1", "mp3");
}

TEST_F(JoinRoutes, RmConversion) {
  const std::wstring output = Out("result.rm");
  ASSERT_TRUE(RunToEnd(BuildRmCommand(s_tool, Joined(), output, s_params)));
  ExpectJoinedProduct(output, "rv10", "ac3");
}

TEST_F(JoinRoutes, WmvConversion) {
  const std::wstring output = Out("result.wmv");
  ASSERT_TRUE(RunToEnd(BuildWmvCommand(s_tool, Joined(), output, s_params)));
  ExpectJoinedProduct(output, "wmv2", "wmav2");
}

// The output's folder holds the user's own folders under the names the
// working folder would take first, each with files named like the passes'
// statistics: the passes get a folder of their own, and its clean-up leaves
// every folder of the user's as it was and nothing of its own.
TEST_F(JoinRoutes, Mp4TwoPassesInTheirWorkingFolder) {
  const std::wstring output = Out("result.mp4");
  const fs::path outFolder = s_root / "out";
  const std::vector<std::string> userFolders = {"BEEF", "BEF0", "BEF1"};
  for (const std::string& name : userFolders) {
    fs::create_directories(outFolder / name / "2024");
    std::ofstream(outFolder / name / "ffmpeg2pass-0.log") << "the user's " << name;
    std::ofstream(outFolder / name / "2024" / "clip.mp4") << "the user's clip";
  }
  const auto folders = [&] {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(outFolder)) {
      if (entry.is_directory()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  };
  ASSERT_EQ(userFolders, folders());
  const std::wstring folder = CreateUniqueFolder(Utf8ToWide(outFolder.string() + "/"), 0xBEEF);
  EXPECT_EQ(Utf8ToWide((outFolder / "BEF2/").string()), folder);
  ASSERT_FALSE(folder.empty());
  ASSERT_TRUE(RunToEnd(BuildMp4Pass1Command(s_tool, Joined(), output, s_params, folder)));
  const SProduct pass1 = Inspect(output);
  EXPECT_TRUE(pass1.Has("video", "h264"));
  EXPECT_EQ(1u, pass1.kinds.size()) << "pass 1 has no audio";
  EXPECT_TRUE(fs::exists(fs::path(WideToUtf8(folder)) / "ffmpeg2pass-0.log")) << "statistics in the working folder";
  ASSERT_TRUE(RunToEnd(BuildMp4Pass2Command(s_tool, Joined(), output, s_params, folder)));
  ExpectJoinedProduct(output, "h264", "aac");
  EXPECT_TRUE(RemoveX264WorkingFolder(folder)) << "only statistics were in it";
  EXPECT_EQ(userFolders, folders());
  for (const std::string& name : userFolders) {
    EXPECT_EQ("the user's " + name, ReadAll(outFolder / name / "ffmpeg2pass-0.log"));
    EXPECT_EQ("the user's clip", ReadAll(outFolder / name / "2024" / "clip.mp4"));
  }
}

TEST_F(JoinRoutes, FastRouteToMp4AndFlv) {
  const std::vector<std::wstring> inputs = {s_inputs[0], s_sameKind};
  const std::wstring mp4 = Out("fast.mp4");
  ASSERT_TRUE(RunFastJoin(/*mp4=*/true, mp4, inputs, {}));
  ExpectJoinedProduct(mp4, "h264", "aac");
  const std::wstring flv = Out("fast.flv");
  ASSERT_TRUE(RunFastJoin(/*mp4=*/false, flv, inputs, {}));
  ExpectJoinedProduct(flv, "h264", "aac");
  // A second run replaces the output instead of waiting for an answer.
  ASSERT_TRUE(RunFastJoin(/*mp4=*/true, mp4, {s_sameKind, s_inputs[0], s_sameKind}, {}));
  EXPECT_NEAR(kJoinedDuration + kDurationB, Inspect(mp4).duration, kTolerance);
}

TEST_F(JoinRoutes, ProbeOfAFileTheToolCannotReadFailsWithoutLeftovers) {
  const fs::path bad = s_root / "in put" / "not media.mp4";
  { std::FILE* f = std::fopen(bad.c_str(), "wb"); std::fputs("not a video", f); std::fclose(f); }
  const size_t before = std::distance(fs::directory_iterator(s_root / "in put"), fs::directory_iterator());
  SVideoPropertyInfo info;
  EXPECT_FALSE(ProbeMedia(Utf8ToWide(bad.string()), info));
  const size_t after = std::distance(fs::directory_iterator(s_root / "in put"), fs::directory_iterator());
  EXPECT_EQ(before, after);
  fs::remove(bad);
}

// The tool's complaints while decoding a whole file: empty for a clean one.
std::string DecodeErrors(const std::wstring& path) {
  return Capture("ffmpeg -nostdin -v error -i " + ShellQuote(WideToUtf8(path)) + " -f null - 2>&1");
}

// A WMV, an MP4 and a WMV again, so that the joined stream has a seam of
// each order. Every intermediate starts its time
// stamps anew; the final steps must still write a file whose every frame
// decodes in order, of the inputs' summed length.
class MixedInputSeams : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_tool = GetToolPath();
    ASSERT_FALSE(s_tool.empty()) << "ffmpeg is needed";
    s_root = fs::temp_directory_path() / ("corvane-seams-e2e-" + std::to_string(::getpid()));
    fs::remove_all(s_root);
    fs::create_directories(s_root);
    // The tool's own choice of codecs for each container, as a user's files have them.
    MakeClip("one.wmv", "");
    MakeClip("two.mp4", "-pix_fmt yuv420p");
    fs::copy_file(s_root / "one.wmv", s_root / "three.wmv");
    std::vector<std::wstring> intermediates;
    SVideoPropertyInfo first;
    for (const char* name : {"one.wmv", "two.mp4", "three.wmv"}) {
      const std::wstring input = Path(name);
      SVideoPropertyInfo info;
      ASSERT_TRUE(ProbeMedia(input, info)) << name;
      if (intermediates.empty()) first = info;
      s_summedLength += info.DurationSeconds().value_or(0);
      intermediates.push_back(IntermediatePath(Path("joined.avi"), input));
      ASSERT_TRUE(RunToEnd(BuildToMpegCommand(s_tool, input, intermediates.back(), MakeIntermediateFormat(first), info)));
    }
    s_joined = JoinedStreamPath(intermediates.front());
    ASSERT_TRUE(JoinByteCopy(intermediates, s_joined, {}));
    s_params = MakeConversionParams(first);
  }
  static void TearDownTestSuite() { fs::remove_all(s_root); }

  static void MakeClip(const std::string& name, const std::string& options) {
    const std::string command = "ffmpeg -nostdin -loglevel error -y -f lavfi -i testsrc=size=160x120:rate=25:duration=1 "
                                "-f lavfi -i sine=duration=1 " + options + " " + ShellQuote((s_root / name).string());
    ASSERT_EQ(0, std::system(command.c_str())) << command;
  }
  static std::wstring Path(const std::string& name) { return Utf8ToWide((s_root / name).string()); }

  static void ExpectCleanJoin(const std::wstring& output) {
    EXPECT_EQ("", DecodeErrors(output)) << WideToUtf8(output);
    EXPECT_NEAR(s_summedLength, Inspect(output).duration, 0.2) << WideToUtf8(output);
  }

  static std::wstring s_tool;
  static fs::path s_root;
  static std::wstring s_joined;
  static double s_summedLength;
  static SConversionParams s_params;
};

std::wstring MixedInputSeams::s_tool;
fs::path MixedInputSeams::s_root;
std::wstring MixedInputSeams::s_joined;
double MixedInputSeams::s_summedLength = 0;
SConversionParams MixedInputSeams::s_params;

TEST_F(MixedInputSeams, EveryConversionRouteDecodesWithoutAnErrorAtTheInputsLength) {
  ASSERT_NEAR(3.2, s_summedLength, 0.2) << "two WMVs of 1.09 s and an MP4 of 1 s";
  using Build = std::wstring (*)(const std::wstring&, const std::wstring&, const std::wstring&,
                                 const SConversionParams&);
  const struct { const char* name; Build build; } oneStep[] = {
      {"joined.avi", BuildAviCommand}, {"joined.flv", BuildFlvCommand},
      {"joined.rm", BuildRmCommand},   {"joined.wmv", BuildWmvCommand}};
  for (const auto& route : oneStep) {
    const std::wstring output = Path(route.name);
    ASSERT_TRUE(RunToEnd(route.build(s_tool, s_joined, output, s_params))) << route.name;
    ExpectCleanJoin(output);
  }
  const std::wstring mp4 = Path("joined.mp4");
  const std::wstring folder = MakeX264WorkingFolder(mp4);
  ASSERT_FALSE(folder.empty());
  ASSERT_TRUE(RunToEnd(BuildMp4Pass1Command(s_tool, s_joined, mp4, s_params, folder)));
  const std::string pass1Frames = Capture("ffprobe -v error -select_streams v -show_entries stream=nb_frames -of csv=p=0 " +
                                          ShellQuote(WideToUtf8(mp4)));
  ASSERT_TRUE(RunToEnd(BuildMp4Pass2Command(s_tool, s_joined, mp4, s_params, folder)));
  ExpectCleanJoin(mp4);
  // Pass 2 encodes the very frames pass 1 measured.
  EXPECT_EQ(pass1Frames, Capture("ffprobe -v error -select_streams v -show_entries stream=nb_frames -of csv=p=0 " +
                                 ShellQuote(WideToUtf8(mp4))));
  EXPECT_TRUE(RemoveX264WorkingFolder(folder));
}

// Alike MP4 clips (H.264 with B-frames, AAC with its priming) joined on both
// fast routes: FLV, which cannot trim sound, decodes as cleanly as MP4.
TEST_F(MixedInputSeams, FastRoutesOfAlikeMp4ClipsDecodeWithoutAnError) {
  fs::copy_file(s_root / "two.mp4", s_root / "four.mp4", fs::copy_options::overwrite_existing);
  const std::vector<std::wstring> inputs = {Path("two.mp4"), Path("four.mp4")};
  for (const char* name : {"fast.flv", "fast.mp4"}) {
    const std::wstring output = Path(name);
    ASSERT_TRUE(RunFastJoin(std::string(name).find(".mp4") != std::string::npos, output, inputs, nullptr)) << name;
    EXPECT_EQ("", DecodeErrors(output)) << name;
    // FLV's length takes in the B-frames' display delay (0.08 s here).
    EXPECT_NEAR(2.0, Inspect(output).duration, 0.15) << name;
  }
}

}  // namespace
}  // namespace corvane
