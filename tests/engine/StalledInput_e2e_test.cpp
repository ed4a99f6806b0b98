// A job whose input never answers (a named pipe nobody writes, as a file on
// a share that stopped answering behaves), run by the controller with the
// program's own steps and Debian's ffmpeg: the probe that waits for it is
// ended once it has printed nothing for the answer limit, and the job ends
// naming the file, with the list kept and nothing of the job left.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <deque>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "base/TextConvert.h"
#include "engine/JoinController.h"
#include "engine/JoinStepsImpl.h"
#include "engine/ToolRunner.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The window's part, with its two timers ticking every 100 ms.
struct SStallHost : IJoinHost {
  std::deque<int> posted;
  bool queueTimer = false;
  bool fastJoin = false;
  std::vector<std::wstring> messages;
  std::vector<EJobOutcome> outcomes;

  void PostCommand(int id) override { posted.push_back(id); }
  void StartQueueTimer() override { queueTimer = true; }
  void StopTimers() override { queueTimer = false; }
  void SetProgress(int) override {}
  void ShowMessage(const SUserMessage& message, const std::wstring&) override {
    messages.push_back(FillMessageArgs(message.text, message.args));
  }
  bool AskYesNo(const SUserMessage&, const std::wstring&) override { return true; }
  void RefreshFileList() override {}
  void UpdateButtons() override {}
  void EndProgram() override {}
  bool PromptOutputPath(std::wstring&) override { return false; }
  bool IsFastJoinChecked() override { return fastJoin; }
  void ShowResult(const SVideoPropertyInfo&) override {}
  void SendDiagnosticReport(const std::wstring&) override {}
  void SendCompletionNotice() override {}
  void JobEnded(EJobOutcome outcome) override { outcomes.push_back(outcome); }

  // Runs the job until it ends or `limit` has passed.
  void RunUntilEnded(CJoinController& controller, std::chrono::steady_clock::duration limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (outcomes.empty() && std::chrono::steady_clock::now() < until) {
      while (!posted.empty()) {
        const int id = posted.front();
        posted.pop_front();
        controller.OnCommand(id);
      }
      if (queueTimer && !controller.OnQueueTimer()) queueTimer = false;
      controller.OnMonitorTimer();
      std::this_thread::sleep_for(100ms);
    }
  }
};

class StalledInput : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(GetToolPath().empty()) << "ffmpeg is needed";
    m_root = fs::temp_directory_path() / ("corvane-stalled-" + std::to_string(::getpid()));
    fs::remove_all(m_root);
    fs::create_directories(m_root / "in");
    fs::create_directories(m_root / "out");
    const fs::path clip = m_root / "in" / "first.mp4";
    const std::string command =
        "ffmpeg -nostdin -loglevel error -y -f lavfi -i testsrc=size=160x120:rate=25:duration=1 "
        "-c:v libx264 -pix_fmt yuv420p '" + clip.string() + "'";
    ASSERT_EQ(0, std::system(command.c_str()));
    m_pipe = m_root / "in" / "second on a dead share.mp4";
    ASSERT_EQ(0, ::mkfifo(m_pipe.c_str(), 0600));
  }
  void TearDown() override { fs::remove_all(m_root); }

  fs::path m_root;
  fs::path m_pipe;
};

TEST_F(StalledInput, ProbeThatDoesNotAnswerEndsTheJobAfterTheLimitNamingTheFile) {
  const struct {
    const char* route;
    const char* output;
    bool fast;
  } routes[] = {{"conversion route (per-input probe)", "joined.avi", false},
                {"fast route (description of every input)", "joined.mp4", true}};
  for (const auto& route : routes) {
    SCOPED_TRACE(route.route);
    SStallHost host;
    host.fastJoin = route.fast;
    CJoinSteps steps;
    SJoinJob job;
    job.files = {Utf8ToWide((m_root / "in" / "first.mp4").string()), Utf8ToWide(m_pipe.string())};
    job.outputPath = Utf8ToWide((m_root / "out" / route.output).string());
    const std::vector<std::wstring> files = job.files;
    CJoinController controller(host, steps, job, GetToolPath(), Utf8ToWide(m_root.string() + "/"));
    controller.SetProbeAnswerLimit(1s);

    const auto start = std::chrono::steady_clock::now();
    controller.OnCommand(kCmdJoin);
    host.RunUntilEnded(controller, 20s);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    ASSERT_EQ(host.outcomes, std::vector<EJobOutcome>{EJobOutcome::kFailed}) << "after " << seconds << " s";
    EXPECT_GE(seconds, 1.0);
    EXPECT_LT(seconds, 6.0);  // the limit, the timers' ticks and the first input's probe
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], L"This file cannot be read: it did not answer: " + files[1]);
    EXPECT_EQ(job.files, files);
    EXPECT_FALSE(controller.IsJobRunning());
    EXPECT_FALSE(controller.HasWorker());
    EXPECT_TRUE(fs::is_empty(m_root / "out")) << "the job left a file behind";
  }
}

}  // namespace
}  // namespace corvane
