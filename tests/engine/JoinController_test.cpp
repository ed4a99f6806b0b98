#include "engine/JoinController.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace corvane;

namespace {

// Records what the controller asks of its window.
struct SFakeHost : IJoinHost {
  std::deque<int> posted;
  int queueTimerStarts = 0;
  int timersStopped = 0;
  std::vector<int> progress;
  std::vector<std::pair<std::wstring, std::wstring>> messages;
  int fileListRefreshes = 0;
  int ended = 0;
  bool fastJoin = false;
  std::wstring promptAnswer;
  std::vector<std::wstring> results;
  std::vector<std::wstring> reports;
  int notices = 0;

  void PostCommand(int id) override { posted.push_back(id); }
  void StartQueueTimer() override { ++queueTimerStarts; }
  void StopTimers() override { ++timersStopped; }
  void SetProgress(int position) override { progress.push_back(position); }
  void ShowMessage(const std::wstring& text, const std::wstring& caption) override {
    messages.emplace_back(text, caption);
  }
  void RefreshFileList() override { ++fileListRefreshes; }
  void UpdateButtons() override {}
  void EndProgram() override { ++ended; }
  bool PromptOutputPath(std::wstring& path) override {
    path = promptAnswer;
    return !promptAnswer.empty();
  }
  bool IsFastJoinChecked() override { return fastJoin; }
  void ShowResult(const SVideoPropertyInfo& info) override { results.push_back(info.filePath); }
  void SendDiagnosticReport(const std::wstring& url) override { reports.push_back(url); }
  void SendCompletionNotice() override { ++notices; }
  void Pause(unsigned) override {}
};

struct SFakeWorker : IJoinWorker {
  bool* ended;
  int* stops;
  bool HasEnded() override { return *ended; }
  void Stop() override { ++*stops; }
};

// Builds readable commands, keeps a pretend file system, and lets the test
// play the running tool: a worker's tool run stays "live" until the test
// ends it, and the test feeds it output blocks.
struct SFakeSteps : IJoinSteps {
  std::set<std::wstring> files;
  std::map<std::wstring, std::string> probeOutput;  // input -> what the tool prints
  std::vector<std::wstring> commands;
  std::vector<std::wstring> workingFolders;
  std::vector<std::wstring> deleted;
  std::vector<std::pair<std::wstring, std::wstring>> moves;
  std::vector<std::wstring> fastRuns;
  bool toolEnded = false;
  int workerStops = 0;
  int copies = 0;
  OutputChunkHandler liveChunk;
  OutputDoneHandler liveDone;

  int OutputKindOf(const std::wstring& path) override {
    const std::wstring ext = path.substr(path.rfind(L'.') + 1);
    static const std::map<std::wstring, int> kinds{{L"flv", 1}, {L"rm", 2}, {L"mp4", 3}, {L"avi", 4}, {L"wmv", 5}};
    const auto it = kinds.find(ext);
    return it == kinds.end() ? 0 : it->second;
  }
  std::wstring ProbeCommand(const std::wstring&, const std::wstring& input) override { return L"probe " + input; }
  bool ParseProbeOutput(SVideoPropertyInfo& record, const std::string& output) override {
    if (output.find("Invalid data") != std::string::npos) return false;
    if (output.find("complete") != std::string::npos) {
      record.bitrate = 800;
      record.frameRate = 25;
      record.audioSampleRate = L"44100 Hz";
    }
    return true;
  }
  std::wstring IntermediatePath(const std::wstring&, const std::wstring& input) override {
    return L"/out/" + Title(input) + L".xbv";
  }
  std::wstring ToMpegCommand(const std::wstring&, const SVideoPropertyInfo&, const std::wstring& input,
                             const std::wstring& intermediate) override {
    return L"mpeg " + input + L" " + intermediate;
  }
  std::wstring JoinedStreamPath(const std::wstring& first) override {
    return L"/out/" + Title(first) + L"_all.xbv";
  }
  bool JoinByteCopy(const std::vector<std::wstring>& parts, const std::wstring& joined,
                    const std::function<bool()>&) override {
    std::wstring command = L"copy";
    for (const auto& part : parts) command += L" " + part;
    commands.push_back(command + L" " + joined);
    return true;
  }
  std::wstring FinalCommand(EJoinMode mode, const std::wstring&, const SVideoPropertyInfo&,
                            const std::wstring& joined, const std::wstring& output) override {
    return L"final" + std::to_wstring(mode) + L" " + joined + L" " + output;
  }
  std::wstring OutputPathForCopy(const std::wstring&, const std::wstring& copy, const std::wstring&) override {
    return L"/out/" + Title(copy) + L"_all.flv";
  }
  bool RunTool(const std::wstring& folder, const std::wstring& command, const OutputChunkHandler& onChunk,
               const OutputDoneHandler& onDone) override {
    commands.push_back(command);
    workingFolders.push_back(folder);
    if (command.rfind(L"probe ", 0) == 0) {
      TStdStr<char> accumulated;
      onChunk(accumulated, probeOutput[command.substr(6)]);
      return onDone(accumulated);
    }
    liveChunk = onChunk;
    liveDone = onDone;
    return true;
  }
  bool RunFastRoute(bool mp4, const std::wstring& output, const std::vector<std::wstring>&) override {
    fastRuns.push_back(output);
    files.insert(output);
    return mp4;
  }
  std::unique_ptr<IJoinWorker> StartWorker(std::function<unsigned()> body) override {
    toolEnded = false;
    body();  // the tool's run now stays live until EndTool()
    auto worker = std::make_unique<SFakeWorker>();
    worker->ended = &toolEnded;
    worker->stops = &workerStops;
    return worker;
  }
  bool ProbeMedia(const std::wstring& path, SVideoPropertyInfo& record) override {
    record.filePath = path;
    return files.count(path) != 0;
  }
  std::optional<std::wstring> MakeTemporaryCopy(const std::wstring& input) override {
    const std::wstring copy = L"/in/tmp" + std::to_wstring(++copies) + L".mp4";
    files.insert(copy);
    probeOutput[copy] = "complete";
    return copy;
  }
  std::optional<std::wstring> MakeWorkFolder(const std::wstring&) override { return std::wstring(L"/out/x264tmp"); }
  bool FileExists(const std::wstring& path) override { return files.count(path) != 0; }
  void RemoveFile(const std::wstring& path) override {
    deleted.push_back(path);
    files.erase(path);
  }
  void RemoveFolderTree(const std::wstring& path) override { deleted.push_back(path); }
  bool RenameFile(const std::wstring& from, const std::wstring& to) override {
    moves.emplace_back(from, to);
    return true;
  }

  // The live tool prints a block; returns whether the controller wants more.
  bool Print(const std::string& block) {
    TStdStr<char> accumulated;
    return liveChunk(accumulated, block);
  }
  static std::wstring Title(const std::wstring& path) {
    const size_t slash = path.rfind(L'/') + 1;
    return path.substr(slash, path.rfind(L'.') - slash);
  }
};

class JoinControllerTest : public ::testing::Test {
 protected:
  JoinControllerTest() : controller(host, steps, job, L"/prog/ffmpeg", L"/prog/") {
    job.files = {L"/in/a.mp4", L"/in/b.mp4"};
    job.outputPath = L"/out/joined.flv";
    steps.probeOutput[L"/in/a.mp4"] = "complete";
    steps.probeOutput[L"/in/b.mp4"] = "complete";
  }

  // Delivers the commands the controller posted to itself, in order.
  void DeliverPosted() {
    while (!host.posted.empty()) {
      const int id = host.posted.front();
      host.posted.pop_front();
      controller.OnCommand(id);
    }
  }
  // The live tool ends and the monitor notices.
  void EndToolAndMonitor() {
    steps.toolEnded = true;
    controller.OnMonitorTimer();
  }
  // Runs the conversions of every input and the byte copy, then builds the
  // final step.
  void RunToFinalStep() {
    for (size_t i = 0; i < job.files.size(); ++i) {
      controller.OnQueueTimer();
      EndToolAndMonitor();
    }
    controller.OnQueueTimer();
    EndToolAndMonitor();
    DeliverPosted();
  }
  int LastProgress() const { return host.progress.empty() ? -1 : host.progress.back(); }

  SFakeHost host;
  SFakeSteps steps;
  SJoinJob job;
  CJoinController controller;
};

}  // namespace

TEST_F(JoinControllerTest, FewerThanTwoFilesDoNothing) {
  job.files = {L"/in/a.mp4"};
  controller.OnCommand(kCmdJoin);
  EXPECT_EQ(host.queueTimerStarts, 0);
  EXPECT_TRUE(host.posted.empty());
  EXPECT_EQ(controller.Mode(), kJoinIdle);
}

TEST_F(JoinControllerTest, UnknownOutputKindDoesNothing) {
  job.outputPath = L"/out/joined.mpeg";
  controller.OnCommand(kCmdJoin);
  EXPECT_EQ(host.queueTimerStarts, 0);
  EXPECT_TRUE(host.posted.empty());
}

TEST_F(JoinControllerTest, CancelledOutputPromptStopsTheJoin) {
  job.outputPath.clear();
  controller.OnCommand(kCmdJoin);
  EXPECT_EQ(host.queueTimerStarts, 0);
  host.promptAnswer = L"/out/chosen.avi";
  controller.OnCommand(kCmdJoin);
  EXPECT_EQ(job.outputPath, L"/out/chosen.avi");
  EXPECT_EQ(controller.OutputKind(), kKindAvi);
}

TEST_F(JoinControllerTest, FastRouteToMp4ShowsTheResult) {
  host.fastJoin = true;
  job.outputPath = L"/out/joined.mp4";
  controller.OnCommand(kCmdJoin);
  EXPECT_EQ(steps.fastRuns, std::vector<std::wstring>{L"/out/joined.mp4"});
  DeliverPosted();
  EXPECT_TRUE(job.files.empty());
  EXPECT_EQ(LastProgress(), 0);
  EXPECT_EQ(host.results, std::vector<std::wstring>{L"/out/joined.mp4"});
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(controller.Mode(), kJoinIdle);
}

TEST_F(JoinControllerTest, FastRouteToAviRunsNothingAndReportsFailure) {
  host.fastJoin = true;
  job.outputPath = L"/out/joined.avi";
  controller.OnCommand(kCmdJoin);
  DeliverPosted();
  EXPECT_TRUE(steps.fastRuns.empty());
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].first, L"Failed to merge files.");
  EXPECT_EQ(host.messages[0].second, L"Tips");
}

// Two inputs of 100 s each joined to FLV: 12 at 50 s of the first, 37 at 50 s
// of the second, 75 halfway through the final conversion.
TEST_F(JoinControllerTest, MpegRouteToFlvRunsEveryStepWithItsProgress) {
  controller.OnCommand(kCmdJoin);
  EXPECT_EQ(host.queueTimerStarts, 1);

  EXPECT_TRUE(controller.OnQueueTimer());
  EXPECT_EQ(controller.Mode(), kJoinToMpeg);
  EXPECT_EQ(steps.commands.back(), L"mpeg /in/a.mp4 /out/a.xbv");
  steps.Print("  Duration: 00:01:40.00, start: 0.000000\n");
  steps.Print("frame= 1250 time=00:00:50.00 bitrate=1\r");
  controller.OnMonitorTimer();
  EXPECT_EQ(LastProgress(), 12);
  EXPECT_TRUE(controller.OnQueueTimer());  // a worker runs: nothing new starts
  EXPECT_EQ(steps.commands.size(), 2u);
  EndToolAndMonitor();
  EXPECT_TRUE(host.posted.empty());

  EXPECT_TRUE(controller.OnQueueTimer());
  EXPECT_EQ(steps.commands.back(), L"mpeg /in/b.mp4 /out/b.xbv");
  steps.Print("Duration: 00:01:40.00, start: 0.0\n");
  steps.Print("time=00:00:50.00 bitrate=1\r");
  controller.OnMonitorTimer();
  EXPECT_EQ(LastProgress(), 37);
  EndToolAndMonitor();

  EXPECT_FALSE(controller.OnQueueTimer());  // the byte copy starts, the queue timer stops
  EXPECT_EQ(controller.Mode(), kJoinByteCopy);
  EXPECT_EQ(steps.commands.back(), L"copy /out/a.xbv /out/b.xbv /out/a_all.xbv");
  EndToolAndMonitor();
  ASSERT_EQ(host.posted, std::deque<int>{kCmdBuildFlv});
  DeliverPosted();
  EXPECT_EQ(controller.Mode(), kJoinFinalFlv);
  EXPECT_EQ(steps.commands.back(), L"final6 /out/a_all.xbv /out/joined.flv");
  EXPECT_EQ(steps.workingFolders.back(), L"/prog/");
  steps.Print("Duration: 00:03:20.00, start: 0.0\n");
  steps.Print("time=00:01:40.00 bitrate=1\r");
  controller.OnMonitorTimer();
  EXPECT_EQ(LastProgress(), 75);

  steps.files.insert(L"/out/joined.flv");
  EndToolAndMonitor();
  DeliverPosted();
  const std::vector<std::wstring> removed{L"/out/a.xbv", L"/out/b.xbv", L"/out/a_all.xbv"};
  EXPECT_EQ(steps.deleted, removed);
  EXPECT_TRUE(job.files.empty());
  EXPECT_EQ(host.results, std::vector<std::wstring>{L"/out/joined.flv"});
  EXPECT_EQ(controller.Mode(), kJoinIdle);
}

TEST_F(JoinControllerTest, Mp4PassesRunInTheirOwnFolderAndFillTheSecondHalf) {
  job.outputPath = L"/out/joined.mp4";
  controller.OnCommand(kCmdJoin);
  RunToFinalStep();
  EXPECT_EQ(controller.Mode(), kJoinMp4Pass1);
  EXPECT_EQ(steps.workingFolders.back(), L"/out/x264tmp");
  steps.Print("Duration: 00:03:20.00, start: 0.0\n");
  steps.Print("time=00:03:20.00 bitrate=1\r");
  controller.OnMonitorTimer();
  EXPECT_EQ(LastProgress(), 60);

  EndToolAndMonitor();
  DeliverPosted();
  EXPECT_EQ(controller.Mode(), kJoinMp4Pass2);
  EXPECT_EQ(steps.workingFolders.back(), L"/out/x264tmp");
  steps.Print("Duration: 00:03:20.00, start: 0.0\n");
  steps.Print("time=00:01:40.00 bitrate=1\r");
  controller.OnMonitorTimer();
  EXPECT_EQ(LastProgress(), 80);

  EndToolAndMonitor();
  DeliverPosted();
  EXPECT_NE(std::find(steps.deleted.begin(), steps.deleted.end(), L"/out/x264tmp"), steps.deleted.end());
  EXPECT_EQ(controller.WorkingFolder(), L"/prog/");
}

TEST_F(JoinControllerTest, EncodingFailureTellsTheUserAndCancels) {
  controller.OnCommand(kCmdJoin);
  controller.OnQueueTimer();
  steps.Print("Video encoding failed\n");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].first, L"Failed to convert file.");
  ASSERT_EQ(host.posted, std::deque<int>{kCmdCancel});
  DeliverPosted();
  EXPECT_EQ(controller.Mode(), kJoinIdle);
  EXPECT_TRUE(job.files.empty());
  EXPECT_EQ(steps.deleted, std::vector<std::wstring>{L"/out/a.xbv"});
}

TEST_F(JoinControllerTest, InvalidDataDuringConversionIsIgnored) {
  controller.OnCommand(kCmdJoin);
  controller.OnQueueTimer();
  EXPECT_TRUE(steps.Print("x: Invalid data found when processing input\n"));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_TRUE(host.posted.empty());
}

TEST_F(JoinControllerTest, CancelDuringSecondInputEndsToolAndRemovesIntermediates) {
  controller.OnCommand(kCmdJoin);
  controller.OnQueueTimer();
  EndToolAndMonitor();
  controller.OnQueueTimer();
  EXPECT_TRUE(steps.Print("time=00:00:10.00 bitrate=1\r"));
  const int stopsBefore = steps.workerStops;

  controller.OnCommand(kCmdCancel);
  EXPECT_FALSE(steps.Print("time=00:00:11.00 bitrate=1\r"));  // the tool is ended at its next block
  EXPECT_EQ(steps.workerStops, stopsBefore + 1);
  const std::vector<std::wstring> removed{L"/out/a.xbv", L"/out/b.xbv"};
  EXPECT_EQ(steps.deleted, removed);
  EXPECT_FALSE(controller.OnQueueTimer());
  EXPECT_EQ(controller.Mode(), kJoinIdle);
  EXPECT_EQ(host.ended, 0);

  job.files = {L"/in/a.mp4", L"/in/b.mp4"};
  controller.OnCommand(kCmdJoin);
  EXPECT_TRUE(controller.Intermediates().empty());
  controller.OnQueueTimer();
  EXPECT_EQ(controller.Intermediates(), std::vector<std::wstring>{L"/out/a.xbv"});
}

TEST_F(JoinControllerTest, CancelDuringFinalConversionRemovesTheHalfWrittenOutput) {
  job.outputPath = L"/out/joined.avi";
  controller.OnCommand(kCmdJoin);
  RunToFinalStep();
  ASSERT_EQ(controller.Mode(), kJoinFinalAvi);
  controller.OnCommand(kCmdCancel);
  EXPECT_NE(std::find(steps.deleted.begin(), steps.deleted.end(), L"/out/joined.avi"), steps.deleted.end());
  EXPECT_NE(std::find(steps.deleted.begin(), steps.deleted.end(), L"/out/a_all.xbv"), steps.deleted.end());
}

TEST_F(JoinControllerTest, CancelBeforeTheFinalConversionKeepsAnExistingOutput) {
  steps.files.insert(L"/out/joined.flv");
  controller.OnCommand(kCmdJoin);
  controller.OnQueueTimer();
  controller.OnCommand(kCmdCancel);
  EXPECT_TRUE(steps.files.count(L"/out/joined.flv"));
}

TEST_F(JoinControllerTest, InputTheToolCannotOpenIsConvertedFromATemporaryCopy) {
  steps.probeOutput[L"/in/a.mp4"] = "a.mp4: Invalid data found when processing input";
  controller.OnCommand(kCmdJoin);
  controller.OnQueueTimer();
  EXPECT_EQ(steps.commands.back(), L"mpeg /in/tmp1.mp4 /out/tmp1.xbv");
  EXPECT_EQ(job.outputPath, L"/out/tmp1_all.flv");
  EndToolAndMonitor();
  EXPECT_EQ(steps.deleted, std::vector<std::wstring>{L"/in/tmp1.mp4"});

  controller.OnQueueTimer();  // the second input and the byte copy
  EndToolAndMonitor();
  controller.OnQueueTimer();
  EndToolAndMonitor();
  DeliverPosted();
  EndToolAndMonitor();
  DeliverPosted();
  ASSERT_EQ(steps.moves.size(), 1u);
  EXPECT_EQ(steps.moves[0].first, L"/out/tmp1_all.flv");
  EXPECT_EQ(steps.moves[0].second, L"/out/joined.flv");
  EXPECT_EQ(job.outputPath, L"/out/joined.flv");
}

TEST_F(JoinControllerTest, LaunchedJobNotifiesItsLauncherAndEnds) {
  job.launchData = L"{}";
  host.fastJoin = true;
  job.outputPath = L"/out/joined.mp4";
  controller.OnCommand(kCmdJoin);
  DeliverPosted();
  EXPECT_EQ(host.notices, 1);
  EXPECT_EQ(host.ended, 1);
  EXPECT_EQ(host.timersStopped, 1);
  EXPECT_TRUE(host.results.empty());
}

TEST_F(JoinControllerTest, LaunchedJobWithPoorlyDescribedFirstInputSendsOneReport) {
  job.launchData = L"{}";
  job.sourceUrl = L"http://example.test/v?id=1";
  steps.probeOutput[L"/in/a.mp4"] = "no details";
  steps.probeOutput[L"/in/b.mp4"] = "no details";
  controller.OnCommand(kCmdJoin);
  controller.OnQueueTimer();
  EndToolAndMonitor();
  controller.OnQueueTimer();
  EXPECT_EQ(host.reports, std::vector<std::wstring>{L"http://example.test/v?id=1"});
}

TEST_F(JoinControllerTest, InteractiveJobSendsNoReport) {
  steps.probeOutput[L"/in/a.mp4"] = "no details";
  controller.OnCommand(kCmdJoin);
  controller.OnQueueTimer();
  EXPECT_TRUE(host.reports.empty());
}

TEST_F(JoinControllerTest, CloseDuringAJobLeavesNoIntermediateBehind) {
  controller.OnCommand(kCmdJoin);
  controller.OnQueueTimer();
  controller.OnCommand(kCmdClose);
  EXPECT_EQ(steps.deleted, std::vector<std::wstring>{L"/out/a.xbv"});
  EXPECT_EQ(host.ended, 1);
  EXPECT_TRUE(controller.IsCancelled());
}

TEST_F(JoinControllerTest, CloseOfALaunchedJobDeletesItsOutput) {
  job.launchData = L"{}";
  controller.OnCommand(kCmdJoin);
  controller.OnQueueTimer();
  controller.OnCommand(kCmdClose);
  EXPECT_NE(std::find(steps.deleted.begin(), steps.deleted.end(), L"/out/joined.flv"), steps.deleted.end());
  EXPECT_EQ(host.ended, 1);
}

TEST_F(JoinControllerTest, JoinWhileAJobRunsIsIgnored) {
  controller.OnCommand(kCmdJoin);
  controller.OnQueueTimer();
  controller.OnCommand(kCmdJoin);
  EXPECT_EQ(controller.QueueLength(), 1u);
  EXPECT_EQ(host.queueTimerStarts, 1);
}
