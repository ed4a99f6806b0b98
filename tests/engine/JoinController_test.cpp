#include "engine/JoinController.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
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
  std::vector<std::pair<std::wstring, std::wstring>> messages;  // filled text, caption
  std::vector<std::wstring> questions;
  bool answer = true;
  int fileListRefreshes = 0;
  int buttonUpdates = 0;
  int ended = 0;
  bool fastJoin = false;
  std::wstring promptAnswer;
  int prompts = 0;
  std::vector<std::wstring> results;
  std::vector<std::wstring> reports;
  std::vector<EJobOutcome> outcomes;
  int notices = 0;

  void PostCommand(int id) override { posted.push_back(id); }
  void StartQueueTimer() override { ++queueTimerStarts; }
  void StopTimers() override { ++timersStopped; }
  void SetProgress(int position) override { progress.push_back(position); }
  void ShowMessage(const SUserMessage& message, const std::wstring& caption) override {
    messages.emplace_back(FillMessageArgs(message.text, message.args), caption);
  }
  bool AskYesNo(const SUserMessage& message, const std::wstring&) override {
    questions.push_back(FillMessageArgs(message.text, message.args));
    return answer;
  }
  void RefreshFileList() override { ++fileListRefreshes; }
  void UpdateButtons() override { ++buttonUpdates; }
  void EndProgram() override { ++ended; }
  bool PromptOutputPath(std::wstring& path) override {
    ++prompts;
    path = promptAnswer;
    return !promptAnswer.empty();
  }
  bool IsFastJoinChecked() override { return fastJoin; }
  void ShowResult(const SVideoPropertyInfo& info) override { results.push_back(info.filePath); }
  void SendDiagnosticReport(const std::wstring& url) override { reports.push_back(url); }
  void SendCompletionNotice() override { ++notices; }
  void JobEnded(EJobOutcome outcome) override { outcomes.push_back(outcome); }
};

struct SFakeWorker : IJoinWorker {
  bool* ended;
  int* stops;
  bool HasEnded() override { return *ended; }
  void Stop() override { ++*stops; }
};

// Builds readable commands, keeps a pretend file system, and lets the test
// play the running tool: every worker's step (a probe too) stays "live"
// until the test ends it, and the test feeds a conversion's tool output
// blocks. Every outside operation can be made to fail.
struct SFakeSteps : IJoinSteps {
  std::set<std::wstring> files;
  std::set<std::wstring> emptyFiles;                 // exist with no content
  std::map<std::wstring, std::wstring> links;        // another name -> the file it leads to
  std::map<std::wstring, std::string> probeOutput;  // input -> what the tool prints
  std::vector<std::wstring> commands;
  std::vector<std::wstring> workingFolders;
  std::vector<std::wstring> deleted;
  std::vector<std::wstring> fastRuns;
  std::wstring outputDuration = L"00:03:20.00";  // what the joined file probes as
  bool toolEnded = false;
  bool toolWritesNothing = false;  // the live tool's output file stays empty
  int workerStops = 0;
  int toolStops = 0;
  int workersStarted = 0;
  bool inWorkerBody = false;
  int sameFileChecksOffTheWorker = 0;  // must stay 0: opening the inputs can wait on a dead share
  std::wstring hangOn;                 // the identity check hears nothing back from this name
  bool workerFails = false, workFolderFails = false, reserveFails = false, byteCopyFails = false;
  OutputChunkHandler liveChunk;
  OutputDoneHandler liveDone;

  OutputKind OutputKindOf(const std::wstring& path) override {
    const std::wstring ext = path.substr(path.rfind(L'.') + 1);
    static const std::map<std::wstring, OutputKind> kinds{
        {L"flv", OutputKindFlv}, {L"rm", OutputKindRm}, {L"mp4", OutputKindMp4}, {L"avi", OutputKindAvi},
        {L"wmv", OutputKindWmv}};
    const auto it = kinds.find(ext);
    return it == kinds.end() ? OutputKindNone : it->second;
  }
  std::wstring ProbeCommand(const std::wstring&, const std::wstring& input) override { return L"probe " + input; }
  // "complete": a 100 s H.264 file with everything known; "big": the same at
  // another size; other text: a picture and little else.
  bool ParseProbeOutput(SVideoPropertyInfo& record, const std::string& output) override {
    if (output.find("Invalid data") != std::string::npos) return false;
    record.videoCodec = L"h264";
    if (output.find("complete") != std::string::npos || output.find("big") != std::string::npos) {
      record.bitrate = 800;
      record.frameRate = 25;
      record.width = output.find("big") != std::string::npos ? 1280 : 640;
      record.height = 360;
      record.audioCodec = L"aac";
      record.audioSampleRate = L"44100 Hz";
      record.audioChannels = L"stereo";
      record.duration = L"00:01:40.00";
    }
    return true;
  }
  std::wstring IntermediatePath(const std::wstring&, const std::wstring& input) override {
    return L"/out/" + Title(input) + L".xbv";
  }
  std::wstring ToMpegCommand(const std::wstring&, const SIntermediateFormat&, const SVideoPropertyInfo&,
                             const std::wstring& input, const std::wstring& intermediate) override {
    return L"mpeg " + input + L" " + intermediate;
  }
  std::wstring JoinedStreamPath(const std::wstring& first) override {
    return L"/out/" + Title(first) + L"_all.xbv";
  }
  std::vector<SVideoPropertyInfo> ProbeAll(const std::wstring&, const std::vector<std::wstring>& inputs,
                                           const ProbeAnswerHandler&) override {
    commands.push_back(L"probe all");
    std::vector<SVideoPropertyInfo> records;
    for (const std::wstring& input : inputs) {
      SVideoPropertyInfo record;
      if (!ParseProbeOutput(record, probeOutput[input])) break;
      record.filePath = input;
      records.push_back(record);
    }
    return records;
  }
  bool JoinByteCopy(const std::vector<std::wstring>& parts, const std::wstring& joined,
                    const std::function<bool()>&) override {
    std::wstring command = L"copy";
    for (const auto& part : parts) command += L" " + part;
    commands.push_back(command + L" " + joined);
    return !byteCopyFails;
  }
  std::wstring FinalCommand(EJoinMode mode, const std::wstring&, const SVideoPropertyInfo&,
                            const std::wstring& joined, const std::wstring& output,
                            const std::wstring& statsFolder) override {
    // The output stays last: the fake tool writes the command's last word.
    return L"final" + std::to_wstring(mode) + (statsFolder.empty() ? L"" : L" stats=" + statsFolder) + L" " +
           joined + L" " + output;
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
    // The tool writes its output (the last word of the command) as it starts.
    const std::wstring target = command.substr(command.rfind(L' ') + 1);
    files.insert(target);
    if (toolWritesNothing) emptyFiles.insert(target);
    liveChunk = onChunk;
    liveDone = onDone;
    return true;
  }
  bool RunFastRoute(bool mp4, const std::wstring& output, const std::vector<std::wstring>&,
                    const OutputChunkHandler& onChunk) override {
    fastRuns.push_back(output);
    files.insert(output);
    liveChunk = onChunk;
    return mp4;
  }
  void StopTool() override { ++toolStops; }
  void AllowTool() override {}
  std::unique_ptr<IJoinWorker> StartWorker(std::function<unsigned()> body) override {
    if (workerFails) return nullptr;
    ++workersStarted;
    toolEnded = false;
    inWorkerBody = true;
    body();  // the tool's run now stays live until EndTool()
    inWorkerBody = false;
    auto worker = std::make_unique<SFakeWorker>();
    worker->ended = &toolEnded;
    worker->stops = &workerStops;
    return worker;
  }
  bool ProbeMedia(const std::wstring& path, SVideoPropertyInfo& record, const ProbeAnswerHandler&) override {
    record.filePath = path;
    record.duration = outputDuration;
    return files.count(path) != 0;
  }
  std::optional<std::wstring> MakeWorkFolder(const std::wstring&) override {
    if (workFolderFails) return std::nullopt;
    return std::wstring(L"/out/x264tmp");
  }
  std::optional<std::wstring> ReserveFreePath(const std::wstring& preferred) override {
    if (reserveFails) return std::nullopt;
    std::wstring path = preferred;
    for (int n = 2; files.count(path); ++n) path = preferred + L"~" + std::to_wstring(n);
    files.insert(path);
    return path;
  }
  bool FileExists(const std::wstring& path) override { return files.count(path) != 0; }
  std::optional<size_t> FindSameFile(const std::wstring& file, const std::vector<std::wstring>& candidates,
                                     const std::function<void(const std::wstring&)>& onOpening) override {
    if (!inWorkerBody) ++sameFileChecksOffTheWorker;
    const auto resolve = [this](const std::wstring& name) {
      const auto link = links.find(name);
      return link == links.end() ? name : link->second;
    };
    for (size_t i = 0; i < candidates.size(); ++i) {
      onOpening(candidates[i]);
      if (candidates[i] == hangOn) return std::nullopt;  // the worker stays live
      if (resolve(file) == resolve(candidates[i])) return i;
    }
    return std::nullopt;
  }
  uint64_t FileSize(const std::wstring& path) override {
    return files.count(path) && !emptyFiles.count(path) ? 100 : 0;
  }
  void RemoveFile(const std::wstring& path) override {
    deleted.push_back(path);
    files.erase(path);
  }
  void RemoveWorkFolder(const std::wstring& path) override { deleted.push_back(path); }

  // The live tool prints a block; returns whether the controller wants more.
  bool Print(const std::string& block) {
    TStdStr<char> accumulated;
    return liveChunk(accumulated, block);
  }
  bool WasDeleted(const std::wstring& path) const {
    return std::find(deleted.begin(), deleted.end(), path) != deleted.end();
  }
  static std::wstring Title(const std::wstring& path) {
    const size_t slash = path.rfind(L'/') + 1;
    return path.substr(slash, path.rfind(L'.') - slash);
  }
};

// Join, and the job's first step (the check that the output is no input)
// ends on its worker and the monitor notices.
void StartJob(SFakeSteps& steps, CJoinController& controller) {
  const int before = steps.workersStarted;
  controller.OnCommand(kCmdJoin);
  if (steps.workersStarted == before) return;  // no job started
  steps.toolEnded = true;
  controller.OnMonitorTimer();
}

// Delivers the commands the controller posted to itself, in order.
void DeliverPosted(SFakeHost& host, CJoinController& controller) {
  while (!host.posted.empty()) {
    const int id = host.posted.front();
    host.posted.pop_front();
    controller.OnCommand(id);
  }
}

class JoinControllerTest : public ::testing::Test {
 protected:
  JoinControllerTest() : controller(host, steps, job, L"/prog/ffmpeg", L"/prog/") {
    job.files = {L"/in/a.mp4", L"/in/b.mp4"};
    job.outputPath = L"/out/joined.flv";
    steps.probeOutput[L"/in/a.mp4"] = "complete";
    steps.probeOutput[L"/in/b.mp4"] = "complete";
  }

  // Delivers the commands the controller posted to itself, in order.
  void DeliverPosted() { ::DeliverPosted(host, controller); }
  // The live step ends and the monitor notices.
  void EndToolAndMonitor() {
    steps.toolEnded = true;
    controller.OnMonitorTimer();
  }
  // The queue's next input is probed; its conversion to MPEG then runs.
  void ProbeNextInput() {
    controller.OnQueueTimer();
    EndToolAndMonitor();
  }
  // A step that writes the output ends, and so does the check of that file.
  void EndStepAndItsCheck() {
    EndToolAndMonitor();
    EndToolAndMonitor();
  }
  // Runs the conversions of every input and the byte copy, then builds the
  // final step.
  void RunToFinalStep() {
    for (size_t i = 0; i < job.files.size(); ++i) {
      ProbeNextInput();
      EndToolAndMonitor();
    }
    controller.OnQueueTimer();
    EndToolAndMonitor();
    DeliverPosted();
  }
  static std::wstring Utf8Name(const char* name) { return std::wstring(name, name + std::strlen(name)); }
  int LastProgress() const { return host.progress.empty() ? -1 : host.progress.back(); }

  SFakeHost host;
  SFakeSteps steps;
  SJoinJob job;
  CJoinController controller;
};

}  // namespace

TEST_F(JoinControllerTest, FewerThanTwoFilesDoNothing) {
  job.files = {L"/in/a.mp4"};
  StartJob(steps, controller);
  EXPECT_EQ(host.queueTimerStarts, 0);
  EXPECT_TRUE(host.posted.empty());
  EXPECT_EQ(controller.Mode(), kJoinIdle);
}

TEST_F(JoinControllerTest, UnknownOutputKindDoesNothing) {
  job.outputPath = L"/out/joined.mpeg";
  StartJob(steps, controller);
  EXPECT_EQ(host.queueTimerStarts, 0);
  EXPECT_TRUE(host.posted.empty());
}

TEST_F(JoinControllerTest, CancelledOutputPromptStopsTheJoin) {
  job.outputPath.clear();
  StartJob(steps, controller);
  EXPECT_EQ(host.queueTimerStarts, 0);
  host.promptAnswer = L"/out/chosen.avi";
  StartJob(steps, controller);
  EXPECT_EQ(job.outputPath, L"/out/chosen.avi");
  EXPECT_EQ(controller.OutputKind(), OutputKindAvi);
}

// The output named as an input through a link or another spelling: the job
// stops before any tool runs, names the input, and keeps the list; the
// window asks for another output, a launched job keeps its own.
TEST_F(JoinControllerTest, OutputThatIsAnInputUnderAnotherNameIsRefusedBeforeAnythingRuns) {
  steps.links[L"/out/link.mp4"] = L"/in/b.mp4";
  for (const bool fast : {true, false}) {
    for (const bool launched : {false, true}) {
      SCOPED_TRACE(std::string(fast ? "fast" : "conversion") + (launched ? ", launched" : ", interactive"));
      SFakeHost freshHost;
      SFakeSteps freshSteps;
      freshSteps.links = steps.links;
      SJoinJob freshJob = job;
      freshJob.launchData = launched ? L"{}" : L"";
      freshJob.outputPath = L"/out/link.mp4";
      freshHost.fastJoin = fast;
      CJoinController fresh(freshHost, freshSteps, freshJob, L"/prog/ffmpeg", L"/prog/");
      fresh.OnCommand(kCmdJoin);
      EXPECT_TRUE(freshHost.messages.empty()) << "the check runs on the worker";
      EXPECT_EQ(fresh.Mode(), fast ? kJoinFastRoute : kJoinProbing);  // Cancel works meanwhile
      freshSteps.toolEnded = true;
      fresh.OnMonitorTimer();
      EXPECT_EQ(freshSteps.workersStarted, 1);
      EXPECT_EQ(freshSteps.sameFileChecksOffTheWorker, 0);
      ASSERT_EQ(freshHost.messages.size(), 1u);
      EXPECT_EQ(freshHost.messages[0].first, L"The output file is one of the files to join: /in/b.mp4");
      EXPECT_TRUE(freshSteps.commands.empty());
      EXPECT_TRUE(freshSteps.fastRuns.empty());
      EXPECT_TRUE(freshSteps.files.empty());
      EXPECT_EQ(freshHost.queueTimerStarts, 0);
      EXPECT_EQ(fresh.Mode(), kJoinIdle);
      EXPECT_EQ(freshJob.files, job.files);
      EXPECT_EQ(freshHost.outcomes, std::vector<EJobOutcome>{EJobOutcome::kFailed});
      EXPECT_EQ(freshHost.ended, 0);
      EXPECT_EQ(freshJob.outputPath, launched ? L"/out/link.mp4" : L"");
    }
  }
  // The same input chosen in the save dialog, then another output.
  job.outputPath.clear();
  host.promptAnswer = L"/in/a.mp4";
  StartJob(steps, controller);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].first, L"The output file is one of the files to join: /in/a.mp4");
  host.promptAnswer = L"/out/joined.flv";
  StartJob(steps, controller);
  EXPECT_EQ(host.prompts, 2);
  EXPECT_EQ(controller.Mode(), kJoinProbing);
}

// However a job ends, the next one asks where to write: it never copies over
// the last job's output without a question.
TEST_F(JoinControllerTest, EveryInteractiveJobAsksForItsOutput) {
  const std::vector<std::wstring> inputs = job.files;
  const struct {
    const char* how;
    std::function<void()> end;
  } kEnds[] = {
      {"joined", [this] { RunToFinalStep(); EndStepAndItsCheck(); DeliverPosted(); }},
      {"cancelled", [this] { controller.OnQueueTimer(); controller.OnCommand(kCmdCancel); }},
      {"failed", [this] { ProbeNextInput(); steps.Print("Video encoding failed"); EndToolAndMonitor(); }},
  };
  job.outputPath.clear();
  int prompts = 0;
  for (const auto& end : kEnds) {
    SCOPED_TRACE(end.how);
    job.files = inputs;
    host.promptAnswer = L"/out/" + Utf8Name(end.how) + L".flv";
    StartJob(steps, controller);
    EXPECT_EQ(host.prompts, ++prompts);
    ASSERT_EQ(controller.Mode(), kJoinProbing);
    end.end();
    EXPECT_EQ(controller.Mode(), kJoinIdle);
  }
  EXPECT_EQ(host.results, std::vector<std::wstring>{L"/out/joined.flv"});
  // Declined: Fast-Join of inputs that differ, and "No" to converting.
  job.files = inputs;
  steps.probeOutput[L"/in/b.mp4"] = "big";
  host.fastJoin = true;
  host.answer = false;
  host.promptAnswer = L"/out/declined.mp4";
  StartJob(steps, controller);
  EndToolAndMonitor();
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(controller.Mode(), kJoinIdle);
  host.promptAnswer.clear();
  StartJob(steps, controller);
  EXPECT_EQ(host.prompts, prompts + 2);
  EXPECT_TRUE(steps.fastRuns.empty());
}

TEST_F(JoinControllerTest, FastRouteChecksTheInputsCopiesOnAWorkerAndShowsTheResult) {
  host.fastJoin = true;
  job.outputPath = L"/out/joined.mp4";
  StartJob(steps, controller);
  // The inputs are described on the worker; the job runs meanwhile and
  // nothing is copied before that description has ended.
  EXPECT_EQ(steps.commands, std::vector<std::wstring>{L"probe all"});
  EXPECT_EQ(controller.Mode(), kJoinFastRoute);
  EXPECT_TRUE(steps.fastRuns.empty());
  controller.OnMonitorTimer();
  EXPECT_TRUE(steps.fastRuns.empty());
  EndToolAndMonitor();
  EXPECT_EQ(steps.fastRuns, std::vector<std::wstring>{L"/out/joined.mp4"});
  EXPECT_EQ(controller.Mode(), kJoinFastRoute);
  steps.Print("frame= 1 time=00:01:40.00 bitrate=1\r");  // half of the 200 s of input
  controller.OnMonitorTimer();
  EXPECT_EQ(LastProgress(), 50);
  EndToolAndMonitor();
  EXPECT_TRUE(host.posted.empty()) << "finished before the copy was read back";
  EndToolAndMonitor();
  DeliverPosted();
  EXPECT_TRUE(job.files.empty());
  EXPECT_EQ(LastProgress(), 100);
  EXPECT_EQ(host.results, std::vector<std::wstring>{L"/out/joined.mp4"});
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(host.outcomes, std::vector<EJobOutcome>{EJobOutcome::kJoined});
  EXPECT_EQ(controller.Mode(), kJoinIdle);
}

// Kinds the stream copy cannot write take the conversion route whatever the box says.
TEST_F(JoinControllerTest, FastJoinToAviConverts) {
  host.fastJoin = true;
  job.outputPath = L"/out/joined.avi";
  StartJob(steps, controller);
  EXPECT_TRUE(steps.fastRuns.empty());
  EXPECT_EQ(host.queueTimerStarts, 1);
  EXPECT_EQ(controller.Mode(), kJoinProbing);
}

TEST_F(JoinControllerTest, FastJoinOfDifferentInputsAsksAndConvertsOrStops) {
  host.fastJoin = true;
  job.outputPath = L"/out/joined.mp4";
  steps.probeOutput[L"/in/b.mp4"] = "big";
  host.answer = false;
  StartJob(steps, controller);
  EXPECT_TRUE(host.questions.empty());  // not before the worker has described the inputs
  EndToolAndMonitor();
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_NE(host.questions[0].find(L"/in/b.mp4"), std::wstring::npos);
  EXPECT_NE(host.questions[0].find(L"frame size (1280x360 instead of 640x360)"), std::wstring::npos)
      << host.questions[0];
  EXPECT_TRUE(steps.fastRuns.empty());
  EXPECT_EQ(controller.Mode(), kJoinIdle);
  EXPECT_EQ(job.files.size(), 2u);  // "No" leaves the list as it was
  EXPECT_EQ(host.outcomes, std::vector<EJobOutcome>{EJobOutcome::kDeclined});

  host.answer = true;
  host.promptAnswer = L"/out/joined.mp4";  // the next job asks again
  StartJob(steps, controller);
  EndToolAndMonitor();
  EXPECT_TRUE(steps.fastRuns.empty());
  EXPECT_EQ(host.queueTimerStarts, 1);

  // A launched job is not asked: it converts.
  CJoinController launched(host, steps, job, L"/prog/ffmpeg", L"/prog/");
  job.launchData = L"{}";
  host.questions.clear();
  StartJob(steps, launched);
  steps.toolEnded = true;
  launched.OnMonitorTimer();
  EXPECT_TRUE(host.questions.empty());
  EXPECT_EQ(host.queueTimerStarts, 2);
}

// The inputs agree, but the output's container refuses their streams.
TEST_F(JoinControllerTest, RefusedStreamCopyOffersTheConversionRoute) {
  host.fastJoin = true;
  job.outputPath = L"/out/joined.mp4";
  StartJob(steps, controller);
  EndToolAndMonitor();  // the inputs agree
  EXPECT_FALSE(steps.Print("Could not write header for output file #0\nConversion failed!\n"));
  EndToolAndMonitor();
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_TRUE(steps.WasDeleted(L"/out/joined.mp4"));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(host.queueTimerStarts, 1);  // "Yes": the conversion route runs
  EXPECT_EQ(controller.Mode(), kJoinProbing);
  EXPECT_EQ(job.files.size(), 2u);
}

// The copy ends without an error but the file's length is far from the
// inputs' (time scales that differ): the same offer, the wrong file goes.
TEST_F(JoinControllerTest, StreamCopyOfTheWrongLengthOffersTheConversionRoute) {
  host.fastJoin = true;
  job.outputPath = L"/out/joined.mp4";
  steps.outputDuration = L"00:27:40.00";  // the inputs hold 200 s
  StartJob(steps, controller);
  EndToolAndMonitor();    // the inputs agree
  EndStepAndItsCheck();   // the copy ends and is read back
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_NE(host.questions[0].find(L"could not copy"), std::wstring::npos);
  EXPECT_TRUE(steps.WasDeleted(L"/out/joined.mp4"));
  EXPECT_TRUE(host.posted.empty());  // no finish step shows the wrong file
  EXPECT_EQ(controller.Mode(), kJoinProbing);

  // "No": nothing is left and the job ends as declined.
  CJoinController declined(host, steps, job, L"/prog/ffmpeg", L"/prog/");
  host.answer = false;
  host.questions.clear();
  job.outputPath = L"/out/joined.mp4";
  StartJob(steps, declined);
  for (int run = 0; run < 3; ++run) {  // the description, the copy, its check
    steps.toolEnded = true;
    declined.OnMonitorTimer();
  }
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_FALSE(steps.files.count(L"/out/joined.mp4"));
  EXPECT_TRUE(host.results.empty());
  EXPECT_EQ(host.outcomes.back(), EJobOutcome::kDeclined);

  // A launched job has nobody to ask: it converts.
  EXPECT_EQ(job.files.size(), 2u) << "a declined job keeps its list";
  job.launchData = L"{}";
  job.outputPath = L"/out/joined.mp4";
  CJoinController launched(host, steps, job, L"/prog/ffmpeg", L"/prog/");
  host.questions.clear();
  StartJob(steps, launched);
  for (int run = 0; run < 3; ++run) {
    steps.toolEnded = true;
    launched.OnMonitorTimer();
  }
  EXPECT_TRUE(host.questions.empty());
  EXPECT_EQ(launched.Mode(), kJoinProbing);
}

TEST_F(JoinControllerTest, FastJoinWithAnUnreadableInputFailsBeforeWritingAnything) {
  host.fastJoin = true;
  job.outputPath = L"/out/joined.mp4";
  steps.files.insert(L"/out/joined.mp4");  // an old file of that name
  job.files = {L"/in/a.mp4", L"/in/bad.mp4", L"/in/b.mp4"};
  steps.probeOutput[L"/in/bad.mp4"] = "bad.mp4: Invalid data found when processing input";
  StartJob(steps, controller);
  EndToolAndMonitor();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].first, L"This file cannot be read as a video: /in/bad.mp4");
  EXPECT_TRUE(steps.fastRuns.empty());
  EXPECT_TRUE(steps.files.count(L"/out/joined.mp4"));
  DeliverPosted();
  EXPECT_TRUE(host.results.empty());
  EXPECT_EQ(host.outcomes, std::vector<EJobOutcome>{EJobOutcome::kFailed});
}

// Two inputs of 100 s each joined to FLV: 12 at 50 s of the first, 37 at 50 s
// of the second, 75 halfway through the final conversion.
TEST_F(JoinControllerTest, MpegRouteToFlvRunsEveryStepWithItsProgress) {
  StartJob(steps, controller);
  EXPECT_EQ(host.queueTimerStarts, 1);

  EXPECT_TRUE(controller.OnQueueTimer());
  EXPECT_EQ(controller.Mode(), kJoinProbing);  // on the worker
  EXPECT_EQ(steps.commands.back(), L"probe /in/a.mp4");
  EndToolAndMonitor();
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

  ProbeNextInput();
  EXPECT_EQ(steps.commands.back(), L"mpeg /in/b.mp4 /out/b.xbv");
  steps.Print("  Duration: 00:01:40.00, start: 0.0\n");
  steps.Print("frame= 1 time=00:00:50.00 bitrate=1\r");
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
  steps.Print("  Duration: 00:01:40.00, start: 0.0\n");  // the joined stream's own length is not used
  steps.Print("frame= 1 time=00:01:40.00 bitrate=1\r");
  controller.OnMonitorTimer();
  EXPECT_EQ(LastProgress(), 75);

  EndStepAndItsCheck();
  DeliverPosted();
  const std::vector<std::wstring> removed{L"/out/a.xbv", L"/out/b.xbv", L"/out/a_all.xbv"};
  EXPECT_EQ(steps.deleted, removed);
  EXPECT_TRUE(job.files.empty());
  EXPECT_EQ(LastProgress(), 100);
  EXPECT_EQ(host.results, std::vector<std::wstring>{L"/out/joined.flv"});
  EXPECT_EQ(controller.Mode(), kJoinIdle);
}

// Both passes keep their statistics in a folder of their own, named on
// their command lines (a current folder could not be deeper than MAX_PATH).
TEST_F(JoinControllerTest, Mp4PassesKeepStatisticsInTheirOwnFolderAndFillTheSecondHalf) {
  job.outputPath = L"/out/joined.mp4";
  StartJob(steps, controller);
  RunToFinalStep();
  EXPECT_EQ(controller.Mode(), kJoinMp4Pass1);
  EXPECT_EQ(steps.commands.back(), L"final9 stats=/out/x264tmp /out/a_all.xbv /out/joined.mp4");
  EXPECT_EQ(steps.workingFolders.back(), L"/prog/");
  steps.Print("frame= 1 time=00:03:20.00 bitrate=1\r");
  controller.OnMonitorTimer();
  EXPECT_EQ(LastProgress(), 60);

  EndToolAndMonitor();
  DeliverPosted();
  EXPECT_EQ(controller.Mode(), kJoinMp4Pass2);
  EXPECT_EQ(steps.commands.back(), L"final10 stats=/out/x264tmp /out/a_all.xbv /out/joined.mp4");
  EXPECT_EQ(steps.workingFolders.back(), L"/prog/");
  steps.Print("frame= 1 time=00:01:40.00 bitrate=1\r");
  controller.OnMonitorTimer();
  EXPECT_EQ(LastProgress(), 80);

  EndStepAndItsCheck();
  DeliverPosted();
  EXPECT_TRUE(steps.WasDeleted(L"/out/x264tmp"));
  EXPECT_EQ(controller.WorkingFolder(), L"/prog/");
  EXPECT_EQ(host.results, std::vector<std::wstring>{L"/out/joined.mp4"});
}

// Today's tool ends a failed step with "Conversion failed!" after lines in
// any case; the text may arrive split over two blocks.
TEST_F(JoinControllerTest, FailureTextEndsTheJobWithAMessageAndNothingLeft) {
  StartJob(steps, controller);
  ProbeNextInput();
  EXPECT_TRUE(steps.Print("[mpeg1video @ 0x1] frame size not supported\nConversion fai"));
  EXPECT_FALSE(steps.Print("led!\n"));  // the tool is stopped
  EXPECT_TRUE(host.messages.empty());   // never from the worker thread
  EndToolAndMonitor();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].first, L"Failed to convert file.");
  EXPECT_EQ(controller.Mode(), kJoinIdle);
  EXPECT_TRUE(job.files.empty());
  EXPECT_EQ(steps.deleted, std::vector<std::wstring>{L"/out/a.xbv"});
  EXPECT_FALSE(controller.OnQueueTimer());
  EXPECT_EQ(host.outcomes, std::vector<EJobOutcome>{EJobOutcome::kFailed});
}

TEST_F(JoinControllerTest, FinalStepFailuresNeverShowAResult) {
  for (const char* failure : {"video encoding failed", "Error while opening encoder for output stream #0:0", ""}) {
    SCOPED_TRACE(failure);
    host = SFakeHost();
    steps.deleted.clear();
    steps.files.insert(L"/out/joined.flv");  // an old file of the output's name
    job.files = {L"/in/a.mp4", L"/in/b.mp4"};
    job.outputPath = L"/out/joined.flv";
    StartJob(steps, controller);
    RunToFinalStep();
    ASSERT_EQ(controller.Mode(), kJoinFinalFlv);
    // Without a failure text: a tool that wrote an empty file.
    if (*failure) steps.Print(failure); else steps.emptyFiles.insert(L"/out/joined.flv");
    EndToolAndMonitor();
    DeliverPosted();
    steps.emptyFiles.clear();
    EXPECT_TRUE(host.results.empty());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].first, L"Failed to convert file.");
    EXPECT_TRUE(steps.WasDeleted(L"/out/joined.flv"));  // this job wrote it
    EXPECT_EQ(controller.Mode(), kJoinIdle);
  }
}

TEST_F(JoinControllerTest, JoinedFileOfTheWrongLengthIsNoResult) {
  steps.outputDuration = L"00:01:40.00";  // one of the two inputs is missing
  StartJob(steps, controller);
  RunToFinalStep();
  EndStepAndItsCheck();
  DeliverPosted();
  EXPECT_TRUE(host.results.empty());
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].first, L"Failed to merge files.");
  EXPECT_TRUE(steps.WasDeleted(L"/out/joined.flv"));
}

// Each outside operation that fails ends the job with a message, the
// intermediates gone and the window idle, instead of a job that waits for
// ever or goes on without its step.
TEST_F(JoinControllerTest, EveryFailingOperationEndsTheJob) {
  struct SCase {
    const char* name;
    std::function<void(SFakeSteps&)> breakIt;
    int stepsBefore;  // tool steps that succeed first
    const wchar_t* message;
  };
  const std::vector<SCase> cases = {
      {"worker cannot start", [](SFakeSteps& s) { s.workerFails = true; }, 0, L"Failed to convert file."},
      {"no intermediate name", [](SFakeSteps& s) { s.reserveFails = true; }, 0, L"Failed to convert file."},
      {"tool writes nothing", [](SFakeSteps& s) { s.toolWritesNothing = true; }, 0, L"Failed to convert file."},
      {"byte copy fails", [](SFakeSteps& s) { s.byteCopyFails = true; }, 2, L"Failed to merge files."},
      {"no work folder", [](SFakeSteps& s) { s.workFolderFails = true; }, 2, L"Failed to convert file."},
      {"an input the tool cannot read",
       [](SFakeSteps& s) { s.probeOutput[L"/in/b.mp4"] = "b.mp4: Invalid data found when processing input"; },
       1, L"This file cannot be read as a video: /in/b.mp4"},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.name);
    SFakeSteps fresh;
    fresh.probeOutput = steps.probeOutput;
    SFakeHost freshHost;
    SJoinJob freshJob;
    freshJob.files = {L"/in/a.mp4", L"/in/b.mp4"};
    freshJob.outputPath = L"/out/joined.mp4";
    CJoinController fixture(freshHost, fresh, freshJob, L"/prog/ffmpeg", L"/prog/");
    StartJob(fresh, fixture);
    for (int i = 0; i <= 4 && fixture.IsJobRunning(); ++i) {
      if (i == c.stepsBefore) c.breakIt(fresh);
      fixture.OnQueueTimer();
      fresh.toolEnded = true;
      fixture.OnMonitorTimer();
      ::DeliverPosted(freshHost, fixture);
    }
    EXPECT_FALSE(fixture.IsJobRunning());
    ASSERT_EQ(freshHost.messages.size(), 1u);
    EXPECT_EQ(freshHost.messages[0].first, c.message);
    EXPECT_TRUE(fixture.Intermediates().empty());
    for (const std::wstring& file : fresh.files) EXPECT_EQ(file.find(L".xbv"), std::wstring::npos) << file.c_str();
    EXPECT_TRUE(freshHost.results.empty());
  }
}

TEST_F(JoinControllerTest, InvalidDataDuringConversionIsIgnored) {
  StartJob(steps, controller);
  ProbeNextInput();
  EXPECT_TRUE(steps.Print("x: Invalid data found when processing input\n"));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_TRUE(host.posted.empty());
}

TEST_F(JoinControllerTest, SameTitledInputsAndAUsersFileGetIntermediatesOfTheirOwn) {
  job.files = {L"/A/clip.mp4", L"/B/clip.mp4"};
  steps.probeOutput[L"/A/clip.mp4"] = "complete";
  steps.probeOutput[L"/B/clip.mp4"] = "complete";
  steps.files.insert(L"/out/clip.xbv");  // the user's own file
  StartJob(steps, controller);
  ProbeNextInput();
  EndToolAndMonitor();
  ProbeNextInput();
  EndToolAndMonitor();
  EXPECT_EQ(controller.Intermediates(), (std::vector<std::wstring>{L"/out/clip.xbv~2", L"/out/clip.xbv~3"}));
  controller.OnCommand(kCmdCancel);
  EXPECT_TRUE(steps.files.count(L"/out/clip.xbv"));
  EXPECT_FALSE(steps.WasDeleted(L"/out/clip.xbv"));
}

// Cancel while the worker still describes the fast route's inputs: the tool
// ends at once, nothing is asked or copied, and an old output stays.
TEST_F(JoinControllerTest, CancelWhileTheFastRouteDescribesItsInputs) {
  host.fastJoin = true;
  job.outputPath = L"/out/joined.mp4";
  steps.files.insert(L"/out/joined.mp4");
  steps.probeOutput[L"/in/b.mp4"] = "big";  // would be asked about
  StartJob(steps, controller);
  controller.OnCommand(kCmdCancel);
  EXPECT_EQ(steps.toolStops, 1);
  EXPECT_EQ(controller.Mode(), kJoinIdle);
  EndToolAndMonitor();
  EXPECT_TRUE(host.questions.empty());
  EXPECT_TRUE(steps.fastRuns.empty());
  EXPECT_TRUE(steps.files.count(L"/out/joined.mp4"));
  EXPECT_FALSE(steps.WasDeleted(L"/out/joined.mp4"));
}

TEST_F(JoinControllerTest, CancelEndsTheToolAtOnceAndRemovesIntermediates) {
  StartJob(steps, controller);
  ProbeNextInput();
  EndToolAndMonitor();
  ProbeNextInput();
  EXPECT_TRUE(steps.Print("frame= 1 time=00:00:10.00 bitrate=1\r"));
  const int stopsBefore = steps.workerStops;

  controller.OnCommand(kCmdCancel);
  EXPECT_EQ(steps.toolStops, 1);  // not left to the tool's next block
  EXPECT_FALSE(steps.Print("frame= 1 time=00:00:11.00 bitrate=1\r"));
  EXPECT_EQ(steps.workerStops, stopsBefore + 1);
  const std::vector<std::wstring> removed{L"/out/a.xbv", L"/out/b.xbv"};
  EXPECT_EQ(steps.deleted, removed);
  EXPECT_FALSE(controller.OnQueueTimer());
  EXPECT_EQ(controller.Mode(), kJoinIdle);
  EXPECT_EQ(host.ended, 0);
  EXPECT_TRUE(host.messages.empty());

  job.files = {L"/in/a.mp4", L"/in/b.mp4"};
  job.outputPath = L"/out/joined.flv";
  StartJob(steps, controller);
  EXPECT_TRUE(controller.Intermediates().empty());
  ProbeNextInput();
  EXPECT_EQ(controller.Intermediates(), std::vector<std::wstring>{L"/out/a.xbv"});
}

TEST_F(JoinControllerTest, ButtonsFollowEveryChangeOfStep) {
  StartJob(steps, controller);
  const int afterJoin = host.buttonUpdates;
  EXPECT_TRUE(controller.IsJobRunning());
  ProbeNextInput();  // probe, then conversion: from the timers, not a command
  EXPECT_GT(host.buttonUpdates, afterJoin);
}

TEST_F(JoinControllerTest, CancelDuringFinalConversionRemovesTheHalfWrittenOutput) {
  job.outputPath = L"/out/joined.avi";
  StartJob(steps, controller);
  RunToFinalStep();
  ASSERT_EQ(controller.Mode(), kJoinFinalAvi);
  controller.OnCommand(kCmdCancel);
  EXPECT_TRUE(steps.WasDeleted(L"/out/joined.avi"));
  EXPECT_TRUE(steps.WasDeleted(L"/out/a_all.xbv"));
}

TEST_F(JoinControllerTest, CancelBeforeTheFinalConversionKeepsAnExistingOutput) {
  steps.files.insert(L"/out/joined.flv");
  StartJob(steps, controller);
  controller.OnQueueTimer();
  controller.OnCommand(kCmdCancel);
  EXPECT_TRUE(steps.files.count(L"/out/joined.flv"));
}

// A file the tool cannot read is not copied under another name and tried
// again: the job ends at once, naming it, and only its own files go.
TEST_F(JoinControllerTest, InputTheToolCannotReadEndsTheJobAndNothingIsCopied) {
  steps.probeOutput[L"/in/b.mp4"] = "b.mp4: Invalid data found when processing input";
  StartJob(steps, controller);
  ProbeNextInput();
  EndToolAndMonitor();
  const std::set<std::wstring> filesBefore = steps.files;
  ProbeNextInput();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].first, L"This file cannot be read as a video: /in/b.mp4");
  EXPECT_TRUE(steps.WasDeleted(L"/out/a.xbv"));
  for (const std::wstring& file : steps.files) EXPECT_TRUE(filesBefore.count(file)) << "made: " << file;
  EXPECT_EQ(controller.Mode(), kJoinIdle);
}

TEST_F(JoinControllerTest, LaunchedJobNotifiesAndEndsOnceItsResultIsThere) {
  job.launchData = L"{}";
  StartJob(steps, controller);
  RunToFinalStep();
  EndStepAndItsCheck();
  DeliverPosted();
  EXPECT_EQ(host.notices, 1);
  EXPECT_TRUE(steps.files.count(L"/out/joined.flv"));
  EXPECT_EQ(host.ended, 1);
  EXPECT_EQ(host.timersStopped, 1);
  EXPECT_TRUE(host.results.empty());
}

TEST_F(JoinControllerTest, LaunchedJobWithPoorlyDescribedFirstInputSendsOneReport) {
  job.launchData = L"{}";
  job.sourceUrl = L"http://example.test/v?id=1";
  steps.probeOutput[L"/in/a.mp4"] = "no details";
  steps.probeOutput[L"/in/b.mp4"] = "no details";
  StartJob(steps, controller);
  ProbeNextInput();
  EndToolAndMonitor();
  ProbeNextInput();
  EXPECT_EQ(host.reports, std::vector<std::wstring>{L"http://example.test/v?id=1"});
}

TEST_F(JoinControllerTest, InteractiveJobSendsNoReport) {
  steps.probeOutput[L"/in/a.mp4"] = "no details";
  StartJob(steps, controller);
  ProbeNextInput();
  EXPECT_TRUE(host.reports.empty());
}

TEST_F(JoinControllerTest, CloseDuringAJobLeavesNoIntermediateBehind) {
  StartJob(steps, controller);
  ProbeNextInput();
  controller.OnCommand(kCmdClose);
  EXPECT_EQ(steps.deleted, std::vector<std::wstring>{L"/out/a.xbv"});
  EXPECT_EQ(steps.toolStops, 1);
  EXPECT_EQ(host.ended, 1);
  EXPECT_TRUE(controller.IsCancelled());
}

TEST_F(JoinControllerTest, CloseOfALaunchedJobDeletesOnlyAnOutputItWrote) {
  job.launchData = L"{}";
  steps.files.insert(L"/out/joined.flv");  // the launcher's file, not yet written by this job
  StartJob(steps, controller);
  controller.OnQueueTimer();
  controller.OnCommand(kCmdClose);
  EXPECT_FALSE(steps.WasDeleted(L"/out/joined.flv"));
  EXPECT_EQ(host.ended, 1);

  SJoinJob idleJob;
  idleJob.launchData = L"{}";
  idleJob.outputPath = L"/out/joined.flv";
  CJoinController idle(host, steps, idleJob, L"/prog/ffmpeg", L"/prog/");
  idle.OnCommand(kCmdClose);  // no job ever ran
  EXPECT_TRUE(steps.files.count(L"/out/joined.flv"));

  job.files = {L"/in/a.mp4", L"/in/b.mp4"};
  CJoinController writing(host, steps, job, L"/prog/ffmpeg", L"/prog/");
  StartJob(steps, writing);
  for (int i = 0; i < 5; ++i) {  // two probes, two conversions, the byte copy
    writing.OnQueueTimer();
    steps.toolEnded = true;
    writing.OnMonitorTimer();
  }
  ::DeliverPosted(host, writing);
  ASSERT_EQ(writing.Mode(), kJoinFinalFlv);
  writing.OnCommand(kCmdClose);
  EXPECT_TRUE(steps.WasDeleted(L"/out/joined.flv"));
}

TEST_F(JoinControllerTest, JoinWhileAJobRunsIsIgnored) {
  StartJob(steps, controller);
  ProbeNextInput();
  StartJob(steps, controller);
  EXPECT_EQ(controller.QueueLength(), 1u);
  EXPECT_EQ(host.queueTimerStarts, 1);
}

// A probe that prints nothing for the answer limit (a file on a share that
// stopped answering) ends the job, whichever probe it is: the tool is ended,
// the message names the file, nothing of the job is left and the list stays.
// Within the limit the same silent probe goes on.
TEST_F(JoinControllerTest, ProbeThatDoesNotAnswerEndsTheJobNamingTheFileAndKeepsTheList) {
  using Drive = std::function<void(CJoinController&, SFakeSteps&, SFakeHost&)>;
  const auto endStep = [](CJoinController& c, SFakeSteps& s) {
    s.toolEnded = true;
    c.OnMonitorTimer();
  };
  const struct {
    const char* name;
    const wchar_t* output;
    bool fast;
    Drive reachSilentProbe;
    const wchar_t* named;
    const wchar_t* hangOn = nullptr;  // the check that the output is no input waits on it
  } cases[] = {
      // The output exists; the first input does not answer its open.
      {"the check that the output is no input", L"/out/joined.avi", false,
       [](CJoinController&, SFakeSteps&, SFakeHost&) {}, L"/in/a.mp4", L"/in/a.mp4"},
      {"the second input's probe", L"/out/joined.avi", false,
       [&](CJoinController& c, SFakeSteps& s, SFakeHost&) {
         c.OnQueueTimer();
         endStep(c, s);  // the first input probed
         endStep(c, s);  // and converted
         c.OnQueueTimer();
       },
       L"/in/b.mp4"},
      // The tool described the first input, then heard nothing from the second.
      {"the fast route's description", L"/out/joined.mp4", true,
       [](CJoinController&, SFakeSteps& s, SFakeHost&) {
         s.probeOutput[L"/in/b.mp4"] = "Invalid data";
       },
       L"/in/b.mp4"},
      {"the check of the written output", L"/out/joined.avi", false,
       [&](CJoinController& c, SFakeSteps& s, SFakeHost& h) {
         for (int input = 0; input < 2; ++input) {
           c.OnQueueTimer();
           endStep(c, s);
           endStep(c, s);
         }
         c.OnQueueTimer();
         endStep(c, s);  // the byte copy
         ::DeliverPosted(h, c);
         endStep(c, s);  // the AVI conversion; its output's probe now runs
       },
       L"/out/joined.avi"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SFakeHost freshHost;
    freshHost.fastJoin = c.fast;
    SFakeSteps freshSteps;
    freshSteps.probeOutput = steps.probeOutput;
    SJoinJob freshJob;
    freshJob.files = {L"/in/a.mp4", L"/in/b.mp4"};
    freshJob.outputPath = c.output;
    CJoinController fresh(freshHost, freshSteps, freshJob, L"/prog/ffmpeg", L"/prog/");
    if (c.hangOn) {
      freshSteps.hangOn = c.hangOn;
      fresh.OnCommand(kCmdJoin);  // the check's open still waits
    } else {
      StartJob(freshSteps, fresh);
    }
    c.reachSilentProbe(fresh, freshSteps, freshHost);
    ASSERT_TRUE(fresh.IsJobRunning());
    ASSERT_TRUE(fresh.HasWorker());
    fresh.OnMonitorTimer();  // well within 30 s
    EXPECT_TRUE(fresh.IsJobRunning());
    EXPECT_EQ(freshSteps.toolStops, 0);

    fresh.SetProbeAnswerLimit(std::chrono::milliseconds(0));
    fresh.OnMonitorTimer();
    EXPECT_FALSE(fresh.IsJobRunning());
    EXPECT_FALSE(fresh.HasWorker());
    EXPECT_GT(freshSteps.toolStops, 0);
    ASSERT_EQ(freshHost.messages.size(), 1u);
    EXPECT_EQ(freshHost.messages[0].first, std::wstring(L"This file cannot be read: it did not answer: ") + c.named);
    EXPECT_EQ(freshJob.files, (std::vector<std::wstring>{L"/in/a.mp4", L"/in/b.mp4"}));
    EXPECT_TRUE(fresh.Intermediates().empty());
    EXPECT_FALSE(freshSteps.files.count(c.output));
    for (const std::wstring& file : freshSteps.files) EXPECT_EQ(file.find(L".xbv"), std::wstring::npos) << file.c_str();
    EXPECT_EQ(freshHost.outcomes, std::vector<EJobOutcome>{EJobOutcome::kFailed});
    EXPECT_FALSE(fresh.OnQueueTimer());
  }
}

TEST(FillMessageArgs, PlacesEachArgumentOnceWithoutRescanning) {
  EXPECT_EQ(FillMessageArgs(L"%1 differs in its %2 (%3 instead of %4).", {L"C:\\a %2.mp4", L"frame size", L"1", L"2"}),
            L"C:\\a %2.mp4 differs in its frame size (1 instead of 2).");
  EXPECT_EQ(FillMessageArgs(L"100% sure, %5 stays", {L"x"}), L"100% sure, %5 stays");
}
