// corvane-cli against Debian's ffmpeg: every output kind on its route, with
// awkward file names, a slow first input and mixed containers, and a clean
// Ctrl-C in the middle of a conversion.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct SProcessResult {
  int exitCode = -1;
  std::string output;  // standard output only
};

// Runs argv (no shell), collecting its standard output; stderr is discarded.
SProcessResult RunProcess(const std::vector<std::string>& argv) {
  int out[2];
  if (pipe(out) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], 1);
    const int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(null, 2);
    close(out[0]);
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  close(out[1]);
  SProcessResult result;
  char buffer[4096];
  ssize_t n;
  while ((n = read(out[0], buffer, sizeof buffer)) > 0) result.output.append(buffer, static_cast<size_t>(n));
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

std::string Cli() { return std::string(CORVANE_BUILD_DIR) + "/cli/corvane-cli"; }

struct SMediaFacts {
  double duration = 0;
  std::vector<std::string> codecTypes;
  std::vector<std::string> codecNames;
  bool Has(const std::string& type) const {
    return std::find(codecTypes.begin(), codecTypes.end(), type) != codecTypes.end();
  }
};

SMediaFacts Describe(const fs::path& file) {
  const SProcessResult probe = RunProcess({"ffprobe", "-v", "error", "-show_entries",
                                           "format=duration:stream=codec_type,codec_name", "-of",
                                           "default=nw=1", file.string()});
  SMediaFacts facts;
  size_t start = 0;
  while (start < probe.output.size()) {
    size_t end = probe.output.find('\n', start);
    if (end == std::string::npos) end = probe.output.size();
    const std::string line = probe.output.substr(start, end - start);
    const size_t eq = line.find('=');
    if (eq != std::string::npos) {
      const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
      if (key == "duration" && value != "N/A") facts.duration = std::atof(value.c_str());
      if (key == "codec_type") facts.codecTypes.push_back(value);
      if (key == "codec_name") facts.codecNames.push_back(value);
    }
    start = end + 1;
  }
  return facts;
}

// Makes a clip of the given length with a test picture and a tone.
void MakeClip(const fs::path& path, int seconds, int fps, const std::vector<std::string>& codecArgs) {
  std::vector<std::string> argv{"ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
                                "testsrc=duration=" + std::to_string(seconds) + ":size=160x120:rate=" +
                                    std::to_string(fps),
                                "-f", "lavfi", "-i", "sine=frequency=440:duration=" + std::to_string(seconds)};
  argv.insert(argv.end(), codecArgs.begin(), codecArgs.end());
  argv.push_back("-shortest");
  argv.push_back(path.string());
  ASSERT_EQ(RunProcess(argv).exitCode, 0) << path;
}

std::vector<fs::path> Leftovers(const fs::path& folder) {
  std::vector<fs::path> found;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".xbv" || entry.is_directory() || name.rfind("tmp", 0) == 0) {
      found.push_back(entry.path());
    }
  }
  return found;
}

class CliJoinE2E : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_inputs = fs::temp_directory_path() / ("corvane-cli-e2e-" + std::to_string(getpid()));
    fs::create_directories(s_inputs);
    const std::vector<std::string> h264{"-c:v", "libx264", "-pix_fmt", "yuv420p", "-c:a", "aac"};
    // Names with a blank, an apostrophe, an ampersand and letters beyond ASCII.
    MakeClip(s_inputs / "first clip.mp4", 2, 25, h264);
    MakeClip(s_inputs / "it's & \xC3\xA9t\xC3\xA9 \xE4\xB8\x89.mp4", 2, 25, h264);
    MakeClip(s_inputs / "slow.mp4", 2, 15, h264);
    MakeClip(s_inputs / "other.avi", 2, 25, {"-c:v", "mpeg4", "-c:a", "libmp3lame"});
  }
  static void TearDownTestSuite() { fs::remove_all(s_inputs); }

  void SetUp() override {
    m_out = s_inputs / ("out-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(m_out);
  }

  // Joins inputs to output and checks the result the way a user would.
  void ExpectJoined(const std::vector<fs::path>& inputs, const std::string& outputName, bool fast,
                    const std::string& videoCodec) {
    std::vector<std::string> argv{Cli(), "join"};
    if (fast) argv.push_back("--fast");
    argv.push_back("-o");
    argv.push_back((m_out / outputName).string());
    for (const auto& input : inputs) argv.push_back(input.string());
    const SProcessResult run = RunProcess(argv);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("filePath: " + (m_out / outputName).string()), std::string::npos) << run.output;

    const SMediaFacts facts = Describe(m_out / outputName);
    EXPECT_NEAR(facts.duration, 2.0 * static_cast<double>(inputs.size()), 0.5) << outputName;
    EXPECT_TRUE(facts.Has("video")) << outputName;
    EXPECT_TRUE(facts.Has("audio")) << outputName;
    EXPECT_NE(std::find(facts.codecNames.begin(), facts.codecNames.end(), videoCodec), facts.codecNames.end())
        << outputName;
    EXPECT_EQ(Leftovers(m_out), std::vector<fs::path>{}) << "intermediates left behind";
  }

  static inline fs::path s_inputs;
  fs::path m_out;
};

}  // namespace

TEST_F(CliJoinE2E, FastRouteToMp4WithAwkwardNames) {
  ExpectJoined({s_inputs / "first clip.mp4", s_inputs / "it's & \xC3\xA9t\xC3\xA9 \xE4\xB8\x89.mp4"}, "joined.mp4",
               /*fast=*/true, "h264");
}

TEST_F(CliJoinE2E, FastRouteToFlv) {
  ExpectJoined({s_inputs / "first clip.mp4", s_inputs / "first clip.mp4"}, "joined.flv", /*fast=*/true, "h264");
}

TEST_F(CliJoinE2E, MpegRouteToAviFromMixedContainersAndASlowFirstInput) {
  ExpectJoined({s_inputs / "slow.mp4", s_inputs / "other.avi", s_inputs / "first clip.mp4"}, "joined.avi",
               /*fast=*/false, "msmpeg4v3");
}

TEST_F(CliJoinE2E, MpegRouteToFlv) {
  ExpectJoined({s_inputs / "first clip.mp4", s_inputs / "it's & \xC3\xA9t\xC3\xA9 \xE4\xB8\x89.mp4"}, "joined.flv",
               /*fast=*/false, "flv1");
}

TEST_F(CliJoinE2E, MpegRouteToRm) {
  ExpectJoined({s_inputs / "first clip.mp4", s_inputs / "other.avi"}, "joined.rm", /*fast=*/false, "rv10");
}

TEST_F(CliJoinE2E, MpegRouteToWmv) {
  ExpectJoined({s_inputs / "first clip.mp4", s_inputs / "other.avi"}, "joined.wmv", /*fast=*/false, "wmv2");
}

TEST_F(CliJoinE2E, MpegRouteToMp4InTwoPasses) {
  ExpectJoined({s_inputs / "first clip.mp4", s_inputs / "slow.mp4"}, "joined.mp4", /*fast=*/false, "h264");
}

TEST_F(CliJoinE2E, FastRouteToAviFailsToMerge) {
  const SProcessResult run = RunProcess({Cli(), "join", "--fast", "-o", (m_out / "joined.avi").string(),
                                         (s_inputs / "first clip.mp4").string(), (s_inputs / "slow.mp4").string()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_FALSE(fs::exists(m_out / "joined.avi"));
}

TEST_F(CliJoinE2E, UsageErrorsExitWithTwo) {
  EXPECT_EQ(RunProcess({Cli(), "join", "-o", (m_out / "x.mp4").string(), (s_inputs / "slow.mp4").string()}).exitCode,
            2);
  EXPECT_EQ(RunProcess({Cli(), "join", "-o", (m_out / "x.mkv").string(), (s_inputs / "slow.mp4").string(),
                        (s_inputs / "other.avi").string()})
                .exitCode,
            2);
  EXPECT_EQ(RunProcess({Cli(), "join", "-o", (m_out / "x.mp4").string(), (s_inputs / "missing.mp4").string(),
                        (s_inputs / "other.avi").string()})
                .exitCode,
            2);
}

TEST_F(CliJoinE2E, InterruptionLeavesNoIntermediateAndNoOutput) {
  // Long inputs, so that the interruption lands in the middle of a conversion.
  const std::vector<std::string> h264{"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-c:a", "aac"};
  MakeClip(m_out / "long1.mp4", 60, 25, h264);
  MakeClip(m_out / "long2.mp4", 60, 25, h264);
  const fs::path output = m_out / "result" / "joined.wmv";
  fs::create_directories(output.parent_path());

  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(null, 1);
    dup2(null, 2);
    execl(Cli().c_str(), Cli().c_str(), "join", "-o", output.c_str(), (m_out / "long1.mp4").c_str(),
          (m_out / "long2.mp4").c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  // Wait until the first intermediate is being written, then press Ctrl-C.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!fs::exists(output.parent_path() / "long1.xbv") && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ASSERT_TRUE(fs::exists(output.parent_path() / "long1.xbv")) << "the conversion never started";
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  kill(pid, SIGINT);
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 130);
  EXPECT_EQ(Leftovers(output.parent_path()), std::vector<fs::path>{});
  EXPECT_FALSE(fs::exists(output));
}
