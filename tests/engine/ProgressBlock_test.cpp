#include "engine/ProgressBlock.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

struct SBlockCase {
  const char* name;
  const char* block;
  int64_t seconds;
  bool isTime;
  bool isError;
};

// Blocks as the tool prints them today (lines separated by \r for progress).
const SBlockCase kCases[] = {
    {"DurationOfAnInput", "  Duration: 00:01:40.00, start: 0.000000, bitrate: 1205 kb/s\n", 100, false, false},
    {"DurationWithHours", "Input #0, mpeg, from 'a.xbv':\n  Duration: 01:02:03.50, start", 3723, false, false},
    {"ClockTimeOfProgressLine",
     "frame=  125 fps= 50 q=2.0 size=     512kB time=00:00:50.00 bitrate= 838.9kbits/s speed=2x\r", 50, true,
     false},
    {"OldSecondsTime", "frame=  125 q=2.0 size=  512kB time=50.04 bitrate= 838.9kbits/s\r", 50, true, false},
    {"BothDurationAndTimeGiveOnlyTheDuration",
     "  Duration: 00:00:30.00, start: 0.0\nframe= 10 time=00:00:10.00 bitrate=1\r", 30, false, false},
    {"LastStatusLineOfTheBlock",
     "frame= 10 time=00:00:10.00 bitrate=1\rframe= 20 time=00:00:20.00 bitrate=1\r", 20, true, false},
    {"AudioOnlyStatusLine", "size=     256kB time=00:01:05.10 bitrate= 32.1kbits/s speed=40x\r", 65, true, false},
    {"DurationNotAvailable", "  Duration: N/A, start: 0.000000, bitrate: N/A\n", 0, false, false},
    {"TimeNotAvailableIsNothing", "frame=    0 fps=0.0 q=0.0 size=       0kB time=N/A bitrate=N/A\r", 0, true, false},
    // Metadata lines carry the file's own text: a title is no duration,
    // position or failure.
    {"TitleIsNoDurationOrTime",
     "    title           : Part 1 - Duration: 2 hours - Duration: 02:00:00.00 - time=00:00:01.00\n", 0, false, false},
    {"TitleIsNoFailure", "  Metadata:\n    title           : Conversion failed! - Video encoding failed\n", 0,
     false, false},
    {"NameIsNoTime", "Input #0, mov,mp4,m4a,3gp,3g2,mj2, from 'at time=00:10:00.00.mp4':\n", 0, false, false},
    {"EncodingFailure", "Video encoding failed\n", -1, true, true},
    {"InvalidData", "clip.xbv: Invalid data found when processing input\n", -1, false, true},
    {"UnrelatedText", "Stream mapping:\n  Stream #0:0 -> #0:0 (h264 (native) -> mpeg2video (native))\n", 0, false,
     false},
    {"EmptyBlock", "", 0, false, false},
    // Found by fuzzing: the seconds of these clocks overflowed 64 bits.
    {"ClockBeyond64BitSecondsIsNothing", "  Duration: 9999999999999999:00:00.00, start", 0, false, false},
    {"ClockTimeBeyond64BitSecondsIsNothing", "frame=1 time=2562047788015215:30:08.00 bitrate=", 0, true, false},
    {"NegativeClockTimeIsNothing", "frame=    1 size=0kB time=-577014:32:22.77 bitrate=N/A\r", 0, true, false},
};

class ParseProgressBlockCases : public ::testing::TestWithParam<SBlockCase> {};

}  // namespace

TEST_P(ParseProgressBlockCases, GivesValueKindAndError) {
  const SBlockCase& c = GetParam();
  const SProgressBlock result = ParseProgressBlock(c.block);
  EXPECT_EQ(result.seconds, c.seconds);
  EXPECT_EQ(result.isTime, c.isTime);
  EXPECT_EQ(result.isError, c.isError);
}

INSTANTIATE_TEST_SUITE_P(ToolOutput, ParseProgressBlockCases, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ParseProgressBlock, DurationLineSplitAcrossBlocksIsSeenInNeither) {
  const SProgressBlock first = ParseProgressBlock("  Duration: 00:0");
  const SProgressBlock second = ParseProgressBlock("1:40.00, start: 0.000000\n");
  EXPECT_EQ(first.seconds, 0);
  EXPECT_FALSE(first.isTime);
  EXPECT_EQ(second.seconds, 0);
  EXPECT_FALSE(second.isTime);
}

// Nothing a block holds may end the tool run with an exception.
TEST(ParseProgressBlock, ClocksThatAreNoNumbersGiveZero) {
  for (const char* block : {"  Duration: aa:bb:cc.00, start: 0", "  Duration: 2 hours - time=00:00:01.00, start",
                            "frame= 1 time=aa:bb:cc.00 bitrate=", "frame= 1 time=1:2 bitrate=", "frame= 1 time=."}) {
    SProgressBlock result;
    EXPECT_NO_THROW(result = ParseProgressBlock(block)) << block;
    EXPECT_EQ(result.seconds, 0) << block;
    EXPECT_FALSE(result.isError) << block;
  }
}

// Found by fuzzing: the reader's patterns once gave up on these with an
// exception, which ended the tool run as if the block had asked to stop.
TEST(ParseProgressBlock, TextTooComplexForThePatternsIsNothing) {
  for (const char* start : {"  Duration: ", "frame= 1 time="}) {
    const SProgressBlock result = ParseProgressBlock(start + std::string(2000, ':'));
    EXPECT_EQ(result.seconds, 0) << start;
    EXPECT_FALSE(result.isError) << start;
  }
  // A failure text after such a stretch is still seen.
  EXPECT_TRUE(ParseProgressBlock("Input #0, a, from 'b':\n" + std::string(2000, ':') + "\nConversion failed!\n").isError);
}

TEST(ParseProgressBlock, BlankClockGroupGivesZero) {
  EXPECT_EQ(ParseProgressBlock("  Duration:  :01:40.00").seconds, 0);
}

// What today's tool prints when a step fails, captured from FFmpeg 5.1: a
// lower-case encoder failure, an encoder that will not open, and a container
// that refuses a copied stream (which ends without "Conversion failed!").
TEST(ContainsFailureText, TodaysToolsFailureTexts) {
  EXPECT_TRUE(ContainsFailureText("[aac @ 0x5] Error submitting audio frame\nvideo encoding failed\n"));
  EXPECT_TRUE(ContainsFailureText("Error while opening encoder for output stream #0:0 - maybe incorrect parameters\n"));
  EXPECT_TRUE(ContainsFailureText("Conversion failed!\n"));
  EXPECT_TRUE(ContainsFailureText("Error initializing output stream 0:1 -- \n"));
  EXPECT_TRUE(ContainsFailureText("Video encoding failed\n"));
  EXPECT_FALSE(ContainsFailureText("frame=  50 fps=0.0 q=-1.0 Lsize= 121kB time=00:00:02.00 bitrate= 495kbits/s\n"));
  EXPECT_FALSE(ContainsFailureText("x.mp4: Invalid data found when processing input\n"));
  // Under "Metadata:" the text is a title's; the first line of a text may
  // have been cut anywhere, so it counts even when it starts with blanks.
  EXPECT_FALSE(ContainsFailureText("x\n      comment         : Conversion failed!\n"));
  EXPECT_TRUE(ContainsFailureText("  Conversion failed!\n"));
}
