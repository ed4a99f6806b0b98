#include "engine/ProbeParser.h"

#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace corvane {
namespace {

std::string ReadFixture(const std::string& name) {
  std::ifstream in(std::string(CORVANE_TEST_DATA) + "/engine/probe/" + name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Lines of a description are parsed under their input's header, which a
// text without one gets.
SVideoPropertyInfo Parse(const std::string& text, bool expectOk = true) {
  SVideoPropertyInfo info;
  const bool headed = text.find("Input #0, ") != std::string::npos || text.find("Invalid data") != std::string::npos;
  EXPECT_EQ(expectOk, ParseProbeOutput(info, headed ? text : "Input #0, mpeg, from 'x':\n" + text));
  return info;
}

// One captured "ffmpeg -i" text (Debian's FFmpeg 5.1; see
// tests/data/engine/make-probe-fixtures.sh) and every field it must give.
struct SFixtureCase {
  const char* file;
  const wchar_t* format;
  int width, height;
  double bitrate, videoBitrate, audioBitrate, frameRate;
  const wchar_t* duration;
  const wchar_t* videoCodec;
  const wchar_t* audioCodec;
  const wchar_t* audioSampleRate;
};

void PrintTo(const SFixtureCase& c, std::ostream* os) { *os << c.file; }

class ProbeFixture : public ::testing::TestWithParam<SFixtureCase> {};

TEST_P(ProbeFixture, EveryFieldOfTheRecordIsRight) {
  const SFixtureCase& c = GetParam();
  const std::string text = ReadFixture(c.file);
  ASSERT_FALSE(text.empty()) << "missing fixture " << c.file;
  const SVideoPropertyInfo info = Parse(text);
  EXPECT_EQ(c.format, info.format);
  EXPECT_EQ(c.width, info.width);
  EXPECT_EQ(c.height, info.height);
  EXPECT_DOUBLE_EQ(c.bitrate, info.bitrate);
  EXPECT_DOUBLE_EQ(c.videoBitrate, info.videoBitrate);
  EXPECT_DOUBLE_EQ(c.audioBitrate, info.audioBitrate);
  EXPECT_DOUBLE_EQ(c.frameRate, info.frameRate);
  EXPECT_EQ(c.duration, info.duration);
  EXPECT_EQ(c.videoCodec, info.videoCodec);
  EXPECT_EQ(c.audioCodec, info.audioCodec);
  EXPECT_EQ(c.audioSampleRate, info.audioSampleRate);
  EXPECT_TRUE(info.filePath.empty()) << "the parser does not name the file";
}

const wchar_t kH264Mp4[] = L"h264 (High) (avc1 / 0x31637661)";
const wchar_t kAacMp4[] = L"aac (LC) (mp4a / 0x6134706D)";

INSTANTIATE_TEST_SUITE_P(
    Ffmpeg51, ProbeFixture,
    ::testing::Values(
        SFixtureCase{"mp4_h264_aac.txt", L"mp4", 160, 120, 118, 37, 69, 25, L"00:00:02.00", kH264Mp4, kAacMp4, L"44100 Hz"},
        SFixtureCase{"flv_h264_aac.txt", L"f4v", 160, 120, 114, 0, 69, 25, L"00:00:02.08", L"h264 (High)", L"aac (LC)", L"44100 Hz"},
        SFixtureCase{"flv_flv1_mp3.txt", L"flv", 160, 120, 309, 200, 64, 25, L"00:00:02.03", L"flv1", L"mp3", L"44100 Hz"},
        SFixtureCase{"avi_mpeg4_mp3.txt", L"avi", 160, 120, 327, 0, 64, 25, L"00:00:02.04",
                     L"mpeg4 (Simple Profile) (FMP4 / 0x34504D46)", L"mp3 (U[0][0][0] / 0x0055)", L"44100 Hz"},
        SFixtureCase{"wmv_wmv2_wmav2.txt", L"wmv", 160, 120, 395, 0, 128, 25, L"00:00:02.09",
                     L"wmv2 (WMV2 / 0x32564D57)", L"wmav2 (a[1][0][0] / 0x0161)", L"44100 Hz"},
        SFixtureCase{"webm_vp8_vorbis.txt", L"WebM", 160, 120, 87, 0, 0, 25, L"00:00:02.00", L"vp8", L"vorbis", L"44100 Hz"},
        SFixtureCase{"mkv_h264_aac.txt", L"matroska", 160, 120, 113, 0, 0, 25, L"00:00:02.02", L"h264 (High)", L"aac (LC)",
                     L"44100 Hz"},
        SFixtureCase{"ts_h264_aac.txt", L"ts", 160, 120, 161, 0, 71, 25, L"00:00:02.02",
                     L"h264 (High) ([27][0][0][0] / 0x001B)", L"aac (LC) ([15][0][0][0] / 0x000F)", L"44100 Hz"},
        SFixtureCase{"rm_rv10_ac3.txt", L"rmvb", 176, 144, 367, 200, 96, 25, L"00:00:02.02", L"rv10 (RV10 / 0x30315652)",
                     L"ac3 (dnet / 0x74656E64)", L"44100 Hz"},
        SFixtureCase{"mp4_no_audio.txt", L"mp4", 160, 120, 41, 37, 0, 25, L"00:00:02.00", kH264Mp4, L"", L""},
        SFixtureCase{"mp4_15fps.txt", L"mp4", 160, 120, 107, 27, 69, 15, L"00:00:02.00", kH264Mp4, kAacMp4, L"44100 Hz"},
        SFixtureCase{"mp4_29_97fps.txt", L"mp4", 160, 120, 124, 41, 69, 29.97, L"00:00:02.00", kH264Mp4, kAacMp4,
                     L"44100 Hz"},
        SFixtureCase{"mp4_48khz.txt", L"mp4", 160, 120, 118, 37, 69, 25, L"00:00:02.00", kH264Mp4, kAacMp4, L"48000 Hz"},
        SFixtureCase{"mp4_32khz.txt", L"mp4", 160, 120, 119, 37, 70, 25, L"00:00:02.00", kH264Mp4, kAacMp4, L"32000 Hz"}));

TEST(ParseProbeOutput, UnreadableFileFailsAndLeavesTheRecordAlone) {
  SVideoPropertyInfo info;
  info.filePath = L"kept.mp4";
  info.width = 7;
  EXPECT_FALSE(ParseProbeOutput(info, ReadFixture("not_media.txt")));
  EXPECT_EQ(L"kept.mp4", info.filePath);
  EXPECT_EQ(7, info.width);
  EXPECT_TRUE(info.format.empty());
}

TEST(ParseProbeOutput, TextWithoutDescriptionStillSucceedsWithAnEmptyRecord) {
  const SVideoPropertyInfo info = Parse("some unrelated text\n");
  EXPECT_TRUE(info.format.empty());
  EXPECT_EQ(0, info.width);
  EXPECT_EQ(0, info.frameRate);
  EXPECT_TRUE(info.IsIncomplete());
}

TEST(ParseProbeOutput, FieldsAlreadyFilledAreKept) {
  SVideoPropertyInfo info;
  info.format = L"given";
  info.frameRate = 12;
  info.audioCodec = L"pcm";
  ASSERT_TRUE(ParseProbeOutput(info, ReadFixture("mp4_h264_aac.txt")));
  EXPECT_EQ(L"given", info.format);
  EXPECT_EQ(12, info.frameRate);
  EXPECT_EQ(L"pcm", info.audioCodec);
  EXPECT_TRUE(info.audioSampleRate.empty()) << "the audio step is skipped as a whole";
  EXPECT_EQ(160, info.width) << "other steps still run";
}

// Description lines in the older layout the program was first written for.
TEST(ParseProbeOutput, NotAvailableDurationAndBitrateStayEmpty) {
  const SVideoPropertyInfo info = Parse(
      "Input #0, mpegts, from 'x.ts':\n"
      "  Duration: N/A, bitrate: N/A\n"
      "    Stream #0.0[0x100]: Video: h264, yuv420p, 640x360, 25 fps, 25 tbr, 90k tbn\n");
  EXPECT_EQ(L"ts", info.format);
  EXPECT_TRUE(info.duration.empty());
  EXPECT_EQ(0, info.bitrate);
  EXPECT_EQ(640, info.width);
  EXPECT_EQ(360, info.height);
}

TEST(ParseProbeOutput, AspectNoteAfterTheSizeStillGivesSizeAndBitrate) {
  const SVideoPropertyInfo info = Parse(
      "Input #0, mov,mp4,m4a,3gp,3g2,mj2, from 'clip.mp4':\n"
      "  Duration: 00:01:40.00, start: 0.000000, bitrate: 1130 kb/s\n"
      "    Stream #0.0(und): Video: h264 (Main), yuv420p, 1280x720 [SAR 1:1 DAR 16:9], 1003 kb/s, 25 fps, 25 tbr\n"
      "    Stream #0.1(und): Audio: aac, 44100 Hz, stereo, s16, 125 kb/s\n");
  EXPECT_EQ(1280, info.width);
  EXPECT_EQ(720, info.height);
  EXPECT_EQ(1003, info.videoBitrate);
  EXPECT_EQ(L"h264 (Main)", info.videoCodec);
  EXPECT_EQ(125, info.audioBitrate);
  EXPECT_EQ(L"00:01:40.00", info.duration);
}

TEST(ParseProbeOutput, PlainSizeFieldMatchesTheFirstVideoPattern) {
  const SVideoPropertyInfo info =
      Parse("  Stream #0.0: Video: flv1, yuv420p, 320x240, 300 kb/s, 29.97 tbr, 1k tbn\n");
  EXPECT_EQ(320, info.width);
  EXPECT_EQ(240, info.height);
  EXPECT_EQ(300, info.videoBitrate);
  EXPECT_DOUBLE_EQ(29.97, info.frameRate) << "tbr is read when there is no fps";
}

TEST(ParseProbeOutput, CommasInsideParenthesesDoNotShiftTheFields) {
  const SVideoPropertyInfo info = Parse(
      "  Stream #0:0(und): Video: h264 (High) (avc1 / 0x31637661), yuv420p(tv, bt709, progressive), "
      "1920x1080 [SAR 1:1 DAR 16:9], 4987 kb/s, 23.98 fps, 23.98 tbr, 24k tbn (default)\n");
  EXPECT_EQ(1920, info.width);
  EXPECT_EQ(1080, info.height);
  EXPECT_EQ(4987, info.videoBitrate);
  EXPECT_EQ(L"h264 (High) (avc1 / 0x31637661)", info.videoCodec);
  EXPECT_DOUBLE_EQ(23.98, info.frameRate);
}

TEST(ParseProbeOutput, VideoLineWithoutBitrateDoesNotBorrowTheNextLine) {
  const SVideoPropertyInfo info = Parse(
      "  Stream #0:0: Video: h264 (High), yuv420p(tv, progressive), 640x480, 30 fps, 30 tbr, 1k tbn\n"
      "  Stream #0:1: Audio: aac (LC), 48000 Hz, stereo, fltp, 128 kb/s\n");
  EXPECT_EQ(640, info.width);
  EXPECT_EQ(480, info.height);
  EXPECT_EQ(0, info.videoBitrate);
  EXPECT_EQ(128, info.audioBitrate);
}

TEST(ParseProbeOutput, AudioWithoutBitrateStillGivesCodecAndSampleRate) {
  const SVideoPropertyInfo info = Parse("  Stream #0:1: Audio: vorbis, 44100 Hz, stereo, fltp\n");
  EXPECT_EQ(L"vorbis", info.audioCodec);
  EXPECT_EQ(L"44100 Hz", info.audioSampleRate);
  EXPECT_EQ(0, info.audioBitrate);
}

TEST(ParseProbeOutput, AudioWithoutBitrateTakesALaterLinesBitrate) {
  const SVideoPropertyInfo info = Parse(
      "  Stream #0:0: Audio: vorbis, 44100 Hz, stereo, fltp\n"
      "  Stream #0:1: Video: theora, yuv420p, 320x240, 500 kb/s, 25 fps\n");
  EXPECT_EQ(L"vorbis", info.audioCodec);
  EXPECT_EQ(500, info.audioBitrate);
}

TEST(ParseProbeOutput, FrameRateKeepsItsFraction) {
  EXPECT_DOUBLE_EQ(29.97, Parse("    Stream #0:0: Video: h264, yuv420p, 160x120, 29.97 fps, 29.97 tbr\n").frameRate);
  EXPECT_DOUBLE_EQ(59.94, Parse("    Stream #0:0: Video: h264, yuv420p, 160x120, 59.94 tbr, 90k tbn\n").frameRate);
}

TEST(ParseProbeOutput, ContainerNamesGiveShortFormats) {
  const struct { const char* names; const wchar_t* format; } cases[] = {
      {"mov,mp4,m4a,3gp,3g2,mj2", L"mp4"}, {"flv", L"flv"}, {"matroska,webm", L"matroska"},
      {"mpegts", L"ts"}, {"asf", L"wmv"}, {"avi", L"avi"}, {"rm", L"rmvb"}, {"mp3", L"mp3"},
      {"mpeg", L""}};
  for (const auto& c : cases) {
    const std::string text = std::string("Input #0, ") + c.names + ", from 'a':\n";
    EXPECT_EQ(c.format, Parse(text).format) << c.names;
  }
}

TEST(ParseProbeOutput, LaterTextContainingFromDoesNotChangeTheContainer) {
  // The title mentions "from" and contains "rm" ("Performance"); only the
  // demuxer names before the first "from" count.
  const SVideoPropertyInfo info = Parse(
      "Input #0, mov,mp4,m4a,3gp,3g2,mj2, from 'C:\\rm\\from\\clip.mp4':\n"
      "  Metadata:\n    title           : Performance from the stage\n"
      "  Duration: 00:00:05.00, start: 0.000000, bitrate: 100 kb/s\n");
  EXPECT_EQ(L"mp4", info.format);
  EXPECT_EQ(L"00:00:05.00", info.duration);
}

TEST(ParseProbeOutput, FlvBecomesF4vOnlyWithH264AndAac) {
  const std::string head = "Input #0, flv, from 'a.flv':\n";
  EXPECT_EQ(L"f4v", Parse(head + "  Stream #0:0: Video: h264 (High), yuv420p, 160x120, 25 fps\n"
                                 "  Stream #0:1: Audio: aac (LC), 44100 Hz, mono, fltp, 69 kb/s\n").format);
  EXPECT_EQ(L"flv", Parse(head + "  Stream #0:0: Video: h264 (High), yuv420p, 160x120, 25 fps\n"
                                 "  Stream #0:1: Audio: mp3, 44100 Hz, mono, fltp, 64 kb/s\n").format);
}

TEST(ParseProbeOutput, SizeThatIsNotANumberLeavesTheSizeUnset) {
  const SVideoPropertyInfo info = Parse("  Stream #0:0: Video: rawvideo, rgb24, axb, 25 fps\n");
  EXPECT_EQ(0, info.width);
  EXPECT_EQ(0, info.height);
  EXPECT_EQ(L"rawvideo", info.videoCodec);
}

TEST(ParseProbeOutput, LongTextWithoutStreamLinesEndsQuickly) {
  // Many fields that never complete a stream line, on one long line.
  std::string text = "Video:";
  for (int i = 0; i < 20000; ++i) text += " x(y) z,";
  text += "\nAudio:";
  for (int i = 0; i < 20000; ++i) text += " a,";
  const SVideoPropertyInfo info = Parse(text);
  EXPECT_EQ(0, info.width);
  EXPECT_EQ(0, info.audioBitrate);
}

TEST(SVideoPropertyInfo, DerivedTests) {
  SVideoPropertyInfo info;
  EXPECT_TRUE(info.IsIncomplete());
  info.bitrate = 100;
  info.audioSampleRate = L"44100 Hz";
  info.frameRate = 25;
  EXPECT_FALSE(info.IsIncomplete());
  info.audioSampleRate.clear();
  EXPECT_TRUE(info.IsIncomplete());
  info.videoCodec = L"h264 (High)";
  info.audioCodec = L"aac (LC)";
  EXPECT_TRUE(info.HasH264());
  EXPECT_TRUE(info.HasAac());
  info.Clear();
  EXPECT_FALSE(info.HasH264());
  EXPECT_EQ(0, info.frameRate);
}

// Found by fuzzing: swscanf reads "nan" as a number, and a NaN length
// passed every range check.
TEST(SVideoPropertyInfo, DurationThatIsNoLengthOfTimeGivesNone) {
  SVideoPropertyInfo info;
  ASSERT_TRUE(ParseProbeOutput(info, "Input #0, mp4, from 'a.mp4':\n  Duration: 00:00:nan, start: 0.000000\n"));
  EXPECT_EQ(L"00:00:nan", info.duration);
  EXPECT_FALSE(info.DurationSeconds().has_value());
  for (const wchar_t* text : {L"00:00:inf", L"00:00:-1.0", L"00:60:00.00", L"00:00:60.00", L"N/A"}) {
    info.duration = text;
    EXPECT_FALSE(info.DurationSeconds().has_value()) << "duration: " << testing::PrintToString(std::wstring(text));
  }
  info.duration = L"01:02:03.50";
  EXPECT_DOUBLE_EQ(3723.5, info.DurationSeconds().value_or(0));
}


// Rates named anywhere but on the video stream's line are not its rate: a
// phone's capture rate (the old reading gave 0 fps, then asked for a
// diagnostic report) and "fps" in the file's name and title (gave 99).
TEST(ParseProbeOutput, FrameRateComesFromTheVideoStreamLine) {
  for (const char* fixture : {"mp4_capture_fps.txt", "mp4_fps_in_name.txt"}) {
    SVideoPropertyInfo info;
    ASSERT_TRUE(ParseProbeOutput(info, ReadFixture(fixture))) << fixture;
    EXPECT_DOUBLE_EQ(25, info.frameRate) << fixture;
    EXPECT_FALSE(info.IsIncomplete()) << fixture;
  }
}

// One run of the tool with several inputs: a record per input, and the
// first unreadable input ends the list (the tool stops there).
std::string Section(const std::string& text, int index, const std::string& name) {
  std::string part = text.substr(text.find("Input #0"));
  part = part.substr(0, part.find("At least one output"));
  const size_t from = part.find(" from '") + 7;
  part.replace(from, part.find("':") - from, name);
  return part.replace(part.find("Input #0"), 8, "Input #" + std::to_string(index));
}

TEST(ParseProbeAllOutput, OneRecordPerInputUpToTheFirstUnreadable) {
  const std::string first = ReadFixture("mp4_h264_aac.txt");
  const std::string second = ReadFixture("wmv_wmv2_wmav2.txt");
  const std::string both = Section(first, 0, "a.mp4") + Section(second, 1, "b.wmv") +
                           "At least one output file must be specified\n";
  const std::vector<SVideoPropertyInfo> records = ParseProbeAllOutput(both, {L"a.mp4", L"b.wmv"});
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].format, L"mp4");
  EXPECT_EQ(records[0].audioChannels, L"mono");
  EXPECT_EQ(records[1].format, L"wmv");
  EXPECT_EQ(records[1].videoCodec, L"wmv2 (WMV2 / 0x32564D57)");
  EXPECT_EQ(records[1].duration, L"00:00:02.09");

  const std::string stopped = Section(first, 0, "a.mp4") + "bad.mp4: Invalid data found when processing input\n";
  const std::vector<SVideoPropertyInfo> one = ParseProbeAllOutput(stopped, {L"a.mp4", L"bad.mp4"});
  ASSERT_EQ(one.size(), 1u);  // the complaint after the first input is no part of it
  EXPECT_EQ(one[0].width, 160);
  EXPECT_TRUE(ParseProbeAllOutput(ReadFixture("not_media.txt"), {L"clip.mp4"}).empty());
}

// The tool prints names raw: a name may end its header line and go on with
// headers and stream lines of inputs that do not exist.
TEST(ParseProbeAllOutput, OnlyTheBatchsIndexesAndNamesCount) {
  const std::string fake = "x.mp4':\n  Duration: 09:00:00.00, start: 0.000000, bitrate: 1 kb/s\n"
                           "Input #1, flv, from 'b.mp4':\n  Stream #1:0: Video: flv1, yuv420p, 4000x3000, 25 fps\n"
                           "Input #2, flv, from 'x':\n  Stream #2:0: Video: flv1, yuv420p, 4000x3000, 25 fps\n";
  const std::string mp4 = ReadFixture("mp4_h264_aac.txt");
  const std::string output = Section(mp4, 0, "a\n" + fake) + Section(mp4, 1, "b.mp4") +
                             "At least one output file must be specified\n";
  const std::wstring fakeName = L"a\n" + std::wstring(fake.begin(), fake.end());
  const std::vector<SVideoPropertyInfo> records = ParseProbeAllOutput(output, {fakeName, L"b.mp4"});
  ASSERT_EQ(records.size(), 2u);
  for (const SVideoPropertyInfo& record : records) {
    EXPECT_EQ(record.width, 160);
    EXPECT_EQ(record.duration, L"00:00:02.00");
  }
  // A batch of one never gets a second record, whatever the text holds.
  EXPECT_EQ(ParseProbeAllOutput(output, {fakeName}).size(), 1u);
  // The first input's description names it: under another name the text
  // holds none for it.
  EXPECT_TRUE(ParseProbeAllOutput(output, {L"a", L"b.mp4"}).empty());
  // A tool that prints paths in its own spelling (a translated folder) is
  // still read by the names' last parts.
  EXPECT_EQ(ParseProbeAllOutput(output, {L"Z:\\in\\" + fakeName, L"Z:\\in\\b.mp4"}).size(), 2u);

  SVideoPropertyInfo alone;
  ASSERT_TRUE(ParseProbeOutput(alone, output, fakeName));
  EXPECT_EQ(alone.width, 160);
  EXPECT_EQ(alone.format, L"mp4");
}

// Metadata is the file's own text: a title that reads like a stream line or
// a duration is no description.
TEST(ParseProbeOutput, MetadataThatLooksLikeTheToolIsLeftOut) {
  std::string text = ReadFixture("flv_h264_aac.txt");
  const std::string title = "    title           : Video: vp9, yuv420p, 4000x3000, 9 kb/s, 99 fps - Duration: 2 hours, "
                            "start: 0 - Audio: opus, 8000 Hz, 7.1, 1 kb/s\n";
  text.insert(text.find("  Metadata:\n") + 12, title);
  SVideoPropertyInfo info = Parse(text);
  EXPECT_EQ(info.width, 160);
  EXPECT_NE(info.videoCodec.find(L"h264"), std::wstring::npos);
  EXPECT_NE(info.audioCodec.find(L"aac"), std::wstring::npos);
  EXPECT_EQ(info.duration.substr(0, 3), L"00:");
  EXPECT_EQ(info.frameRate, 25);
}

}  // namespace
}  // namespace corvane
