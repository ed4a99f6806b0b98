// A file's name and title are printed by the tool among its own lines: with
// Debian's ffmpeg, a name that carries a line break and a fake input header,
// and titles that mention a duration, a position and a failure, must neither
// pass for the tool's description nor stop a conversion.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/TextConvert.h"
#include "engine/ProbeMedia.h"
#include "engine/ToolRunner.h"

namespace corvane {
namespace tool_output_text_e2e {

namespace fs = std::filesystem;

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// The exit code of a shell command, -1 when it did not exit.
int ExitCode(const std::string& command) {
  const int status = std::system(command.c_str());
  return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// "00:00:02.00" in seconds; -1 when it is not such a text.
double Seconds(const std::wstring& duration) {
  int h = 0, m = 0;
  double s = 0;
  return swscanf(duration.c_str(), L"%d:%d:%lf", &h, &m, &s) == 3 ? h * 3600 + m * 60 + s : -1;
}

// A name that ends its own header line and goes on as the tool would: a
// third input's header and a stream line.
const char kFakeInputName[] =
    "a\nInput #2, flv, from 'x':\n  Duration: 09:00:00.00, start: 0.000000\n"
    "  Stream #2:0: Video: flv1, yuv420p, 4000x3000, 25 fps, 25 tbr, 1k tbn\n.mp4";
// Titles as a user may give them; the tool prints them under "Metadata:" in
// every run that reads the clip.
const char kDurationTitle[] = "Part 1 - Duration: 2 hours - Duration: 02:00:00.00 - time=00:00:01.00";
const char kFailureTitle[] = "Conversion failed! - Video encoding failed (the director's cut)";

class ToolOutputText : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_root = fs::temp_directory_path() / ("corvane-tool-text-e2e-" + std::to_string(::getpid()));
    fs::remove_all(s_root);
    fs::create_directories(s_root);
  }
  static void TearDownTestSuite() { fs::remove_all(s_root); }

  static fs::path MakeClip(const std::string& name, double seconds, const std::string& title = {}) {
    const fs::path path = s_root / name;
    const std::string d = std::to_string(seconds);
    const std::string command =
        "ffmpeg -nostdin -loglevel error -y -f lavfi -i testsrc=size=160x120:rate=25:duration=" + d +
        " -f lavfi -i sine=duration=" + d + " -c:v libx264 -pix_fmt yuv420p -c:a aac" +
        (title.empty() ? std::string() : " -metadata title=" + Quoted(title)) + " -f mp4 " + Quoted(path.string());
    EXPECT_EQ(0, ExitCode(command)) << name;
    return path;
  }

  static inline fs::path s_root;
};

TEST_F(ToolOutputText, NameWithAFakeInputHeaderIsReadAsItsOwnFileOnly) {
  const std::wstring tool = GetToolPath();
  ASSERT_FALSE(tool.empty()) << "ffmpeg is needed";
  const std::wstring plain = Utf8ToWide(MakeClip("plain.mp4", 3).string());
  const std::wstring faked = Utf8ToWide(MakeClip(kFakeInputName, 2).string());

  // Second in the batch, the fake header claims the index after the last.
  const std::vector<SVideoPropertyInfo> records = ProbeAllMedia(tool, {plain, faked});
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].filePath, plain);
  EXPECT_EQ(records[1].filePath, faked);
  for (const SVideoPropertyInfo& record : records) {
    EXPECT_EQ(record.format, L"mp4");
    EXPECT_EQ(record.width, 160);
    EXPECT_EQ(record.height, 120);
  }
  EXPECT_NEAR(Seconds(records[0].duration), 3, 0.1);
  EXPECT_NEAR(Seconds(records[1].duration), 2, 0.1);

  SVideoPropertyInfo alone;
  ASSERT_TRUE(ProbeMedia(faked, alone));
  EXPECT_EQ(alone.width, 160);
  EXPECT_EQ(SVideoPropertyInfo::CodecName(alone.videoCodec), L"h264");
  EXPECT_NEAR(Seconds(alone.duration), 2, 0.1);
}

TEST_F(ToolOutputText, TitlesThatSoundLikeTheToolAreJustTitles) {
  const fs::path titled = MakeClip("titled.mp4", 2, kDurationTitle);
  const fs::path failing = MakeClip("failing.mp4", 3, kFailureTitle);

  SVideoPropertyInfo info;
  ASSERT_TRUE(ProbeMedia(Utf8ToWide(titled.string()), info));
  EXPECT_EQ(info.duration, L"00:00:02.00");

  // The conversion route reads progress from every block the tool writes,
  // the titles' lines among them.
  const std::string cli = std::string(CORVANE_BUILD_DIR) + "/cli/corvane-cli";
  ASSERT_TRUE(fs::exists(cli)) << "corvane-cli was not built";
  const fs::path output = s_root / "joined.avi";
  ASSERT_EQ(0, ExitCode(Quoted(cli) + " join -o " + Quoted(output.string()) + " " + Quoted(titled.string()) + " " +
                        Quoted(failing.string()) + " >/dev/null 2>&1"));
  SVideoPropertyInfo joined;
  ASSERT_TRUE(ProbeMedia(Utf8ToWide(output.string()), joined));
  EXPECT_EQ(joined.format, L"avi");
  EXPECT_NEAR(Seconds(joined.duration), 5, 0.5);
}

}  // namespace tool_output_text_e2e
}  // namespace corvane
