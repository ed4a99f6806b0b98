#include "updater/UpdaterFlow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "base/http/HttpError.h"

using namespace corvane;

namespace {

// A scripted server reply.
struct SReply {
  std::string body;
  std::optional<uint64_t> contentLength;
  std::map<std::wstring, std::wstring> headers;
  bool throwOnGet = false;
  uint32_t status = 200;
};

class CFakeBody : public IHttpBody {
 public:
  explicit CFakeBody(const SReply& reply) : m_reply(reply) {}
  bool ContentLength(uint64_t& length) override {
    if (!m_reply.contentLength) return false;
    length = *m_reply.contentLength;
    return true;
  }
  uint32_t StatusCode() override { return m_reply.status; }
  const std::wstring* HeaderValue(std::wstring_view name) override {
    auto it = m_reply.headers.find(std::wstring(name));
    return it == m_reply.headers.end() ? nullptr : &it->second;
  }
  uint32_t ReadChunk(void* buffer, uint32_t size) override {
    const size_t n = std::min<size_t>(size, m_reply.body.size() - m_offset);
    std::copy_n(m_reply.body.data() + m_offset, n, static_cast<char*>(buffer));
    m_offset += n;
    return static_cast<uint32_t>(n);
  }

 private:
  SReply m_reply;
  size_t m_offset = 0;
};

// Records everything the flow asks of the dialog; the "disk" is a map.
class CFakeHost : public IUpdaterHost {
 public:
  std::vector<SReply> replies;  // one per Get, the last repeats
  std::map<std::wstring, std::string> files;
  std::vector<std::wstring> statuses, sizes, urls, labels, log, logged;
  std::vector<int> progress;
  std::string diagnostics;
  uint32_t tick = 0, tickStep = 100;
  int gets = 0, pumps = 0, timerStarts = 0, timerStops = 0, endResult = -1;
  std::function<void(int pump)> onPump;  // presses buttons during a download
  bool packageOpens = true, stageWorks = true, commitWorks = true, createFails = false, holdWorks = true,
       mainProgramCloses = true;
  uint32_t writeError = 0;  // from the second write on, e.g. ERROR_DISK_FULL (112)
  std::string held;  // the copy the updater holds
  SSignatureVerdict verdict{true, {}};

  class CWriter : public IPackageWriter {
   public:
    CWriter(CFakeHost& host, std::wstring path) : m_host(host), m_path(std::move(path)) {}
    uint32_t Write(const void* data, uint32_t size) override {
      if (m_host.writeError && !m_host.files[m_path].empty()) return m_host.writeError;
      m_host.files[m_path].append(static_cast<const char*>(data), size);
      return 0;
    }
    void Close() override { m_host.log.push_back(L"close file"); }

   private:
    CFakeHost& m_host;
    std::wstring m_path;
  };

  std::unique_ptr<IHttpBody> Get(const std::wstring& url) override {
    log.push_back(L"get " + url);
    const SReply& reply = replies[std::min<size_t>(gets++, replies.size() - 1)];
    if (reply.throwOnGet) throw Zorpa::httpclientexceptionA(Zorpa::kErrHttpSendRequest, 12029);
    return std::make_unique<CFakeBody>(reply);
  }
  std::unique_ptr<IPackageWriter> CreatePackage(const std::wstring& path) override {
    if (createFails || files.count(path)) return nullptr;  // create-new only
    files[path];
    return std::make_unique<CWriter>(*this, path);
  }
  void DeletePackage(const std::wstring& path) override {
    files.erase(path);
    log.push_back(L"delete");
  }
  uint32_t TickCount() override { return tick += tickStep; }
  void Sleep(uint32_t ms) override { log.push_back(L"sleep " + std::to_wstring(ms)); }
  void PumpMessages() override {
    if (onPump) onPump(pumps);
    ++pumps;
  }
  bool StopRequested() override { return flow->StopFlag(); }
  void ShowUrl(std::wstring_view url) override { urls.emplace_back(url); }
  void ShowSize(const std::wstring& text) override { sizes.push_back(text); }
  void ShowProgress(int position) override { progress.push_back(position); }
  void ShowStatus(const std::wstring& text) override { statuses.push_back(text); }
  void WriteDiagnostics(std::string_view text) override { diagnostics.append(text); }
  void FallBack() override {
    log.push_back(L"installer page");
    log.push_back(L"post close");
  }
  void StartTimer() override { ++timerStarts; }
  void StopTimer() override { ++timerStops; }
  std::wstring Translate(const std::wstring& english) override { return L"T:" + english; }
  void SetPauseLabel(const std::wstring& text) override { labels.push_back(text); }
  void DisablePause() override { log.push_back(L"disable pause"); }
  void ShowFailure(const std::wstring& text) override { statuses.push_back(L"[icon]" + text); }
  void OpenInstallerPage() override { log.push_back(L"installer page"); }
  void PostClose() override { log.push_back(L"post close"); }
  void EndDialog(int result) override {
    endResult = result;
    log.push_back(L"end dialog");
  }
  bool HoldPackage(const std::wstring& path) override {
    log.push_back(L"hold package");
    if (!holdWorks || !files.count(path)) return false;
    held = files[path];
    return true;
  }
  bool OpenPackage() override {
    log.push_back(L"open package");
    return packageOpens && !held.empty();
  }
  bool PackageSha256(std::string& hex) override {
    hex = "digest-of-" + held.substr(0, 8) + "-" + std::to_string(held.size());
    return true;
  }
  SSignatureVerdict VerifyPackage(const std::string& signature) override {
    log.push_back(L"verify " + std::wstring(signature.begin(), signature.end()));
    return verdict;
  }
  bool StageUnpack() override {
    log.push_back(L"stage");
    return stageWorks;
  }
  bool CommitUnpack() override {
    log.push_back(L"commit");
    return commitWorks;
  }
  void AbandonUnpack() override { log.push_back(L"abandon"); }
  void Log(const std::wstring& text) override { logged.push_back(text); }
  void ClosePackage() override {
    held.clear();
    log.push_back(L"close package");
  }
  bool CloseMainProgram(const std::wstring& cls, const std::wstring& msg) override {
    log.push_back(L"close main " + cls + L"/" + msg);
    return mainProgramCloses;
  }
  void StartProgram(const std::wstring& fileName) override { log.push_back(L"start " + fileName); }

  CUpdaterFlow* flow = nullptr;
};

class UpdaterFlowTest : public ::testing::Test {
 protected:
  UpdaterFlowTest() {
    record.downloadUrl = L"http://127.0.0.1/pkg.zip?v=2";
    record.tempFilePath = L"C:\\tmp\\";
    record.appFileName = L"Corvane.exe";
    record.appMainWndClassName = L"Tavrel Video";
    record.appUserMsg = L"UWM_JoinDownload_IsMe";
    record.packageSignature = L"MEUCIQ==";
  }
  void SetUp() override {
    flow = std::make_unique<CUpdaterFlow>(host, record);
    host.flow = flow.get();
  }
  static SReply Package(size_t size) {
    SReply reply;
    reply.body.assign(size, 'z');
    reply.contentLength = size;
    reply.headers[L"Content-Type"] = L"application/zip";
    return reply;
  }
  bool Logged(const std::wstring& entry) const {
    return std::find(host.log.begin(), host.log.end(), entry) != host.log.end();
  }
  const std::wstring package = L"C:\\tmp\\_newver.zip";
  SUpdaterRecord record;
  CFakeHost host;
  std::unique_ptr<CUpdaterFlow> flow;
};

TEST_F(UpdaterFlowTest, CompleteDownloadInstallsRestartsAndRemovesThePackage) {
  host.replies = {Package(25000)};
  EXPECT_TRUE(flow->OnTimer());
  EXPECT_EQ(host.urls, std::vector<std::wstring>{L"http://127.0.0.1/pkg.zip"});
  EXPECT_EQ(host.log.front(), L"delete");  // the old package goes before the request
  EXPECT_EQ(host.log[1], L"get http://127.0.0.1/pkg.zip?v=2");
  const std::vector<std::wstring> tail(host.log.end() - 10, host.log.end());
  EXPECT_EQ(tail, (std::vector<std::wstring>{L"verify MEUCIQ==", L"open package", L"stage",
                                             L"close main Tavrel Video/UWM_JoinDownload_IsMe", L"commit",
                                             L"close package", L"sleep 1000", L"start Corvane.exe", L"end dialog",
                                             L"delete"}));
  EXPECT_EQ(host.endResult, 2);
  EXPECT_EQ(host.progress, (std::vector<int>{40, 81, 100}));
  EXPECT_EQ(host.sizes, std::vector<std::wstring>{L"24.41 KB"});
  EXPECT_EQ(flow->State(), EUpdaterState::kEnded);
  EXPECT_EQ(host.files.count(package), 0u);
}

TEST_F(UpdaterFlowTest, StatusCountsChunksOfTenKibibytes) {
  host.replies = {Package(1048576)};
  flow->OnTimer();
  ASSERT_EQ(host.statuses.size(), 103u);
  EXPECT_EQ(host.statuses[0], L"10240/1048576B  0%" + std::wstring(38, L' '));
  EXPECT_EQ(host.statuses.back().substr(0, 23), L"1048576/1048576B  100% ");
}

TEST_F(UpdaterFlowTest, SpeedAppearsAfterAFullSecond) {
  host.replies = {Package(102400)};
  host.tickStep = 250;  // four chunks per second: 40 KiB/s
  flow->OnTimer();
  EXPECT_EQ(host.statuses[2].find(L"KB/S"), std::wstring::npos);
  EXPECT_NE(host.statuses[3].find(L"40.00 KB/S"), std::wstring::npos) << host.statuses[3];
}

TEST_F(UpdaterFlowTest, HeadersAndTextBodiesGoToDiagnostics) {
  SReply page = Package(20);
  page.body = "<html>error</html>";
  page.contentLength = page.body.size();
  page.headers = {{L"Content-Type", L"TEXT/html"}, {L"Server", L"fake"}};
  host.replies = {page};
  host.packageOpens = false;
  flow->OnTimer();
  EXPECT_NE(host.diagnostics.find("Server: fake\n'Date' header does not exist..\n"), std::string::npos);
  EXPECT_NE(host.diagnostics.find("Content-Type: TEXT/html\n\n<html>error</html>"), std::string::npos);
}

TEST_F(UpdaterFlowTest, MissingContentLengthFallsBackWithoutMessage) {
  SReply chunked = Package(100);
  chunked.contentLength.reset();
  host.replies = {chunked};
  flow->OnTimer();
  EXPECT_TRUE(Logged(L"installer page"));
  EXPECT_TRUE(Logged(L"post close"));
  EXPECT_FALSE(Logged(L"open package"));
  EXPECT_TRUE(host.statuses.empty());
  EXPECT_EQ(flow->State(), EUpdaterState::kEnded);
}

TEST_F(UpdaterFlowTest, PackageThatCannotBeCreatedFallsBack) {
  host.replies = {Package(100)};
  host.createFails = true;  // e.g. another process made the file again
  flow->OnTimer();
  EXPECT_TRUE(Logged(L"installer page"));
  EXPECT_FALSE(Logged(L"open package"));
}

TEST_F(UpdaterFlowTest, PageThatIsNoArchiveTakesTheDownloadFailedPath) {
  host.replies = {Package(300)};
  host.packageOpens = false;
  flow->OnTimer();
  EXPECT_EQ(host.statuses.back(), L"[icon]T:Failure to download update file.");
  EXPECT_EQ(host.sizes.back(), L"");
  const std::vector<std::wstring> tail(host.log.end() - 6, host.log.end());
  EXPECT_EQ(tail, (std::vector<std::wstring>{L"open package", L"disable pause", L"close package", L"delete",
                                             L"installer page", L"post close"}));
  EXPECT_FALSE(Logged(L"unpack"));
  EXPECT_EQ(host.files.count(package), 0u);
}

TEST_F(UpdaterFlowTest, TransportErrorWaitsThenFailsTheCheck) {
  SReply broken;
  broken.throwOnGet = true;
  host.replies = {broken};
  flow->OnTimer();
  EXPECT_TRUE(Logged(L"sleep 500"));
  EXPECT_EQ(host.statuses.back(), L"[icon]T:Failure to download update file.");
}

TEST_F(UpdaterFlowTest, PackageThatFailsBeforeAnyFileIsReplacedLeavesTheMainProgramRunning) {
  host.replies = {Package(100)};
  host.stageWorks = false;
  flow->OnTimer();
  EXPECT_EQ(host.statuses.back(), L"T:Unable to unzip file.");
  EXPECT_TRUE(Logged(L"installer page"));
  EXPECT_FALSE(Logged(L"close main Tavrel Video/UWM_JoinDownload_IsMe"));
  EXPECT_FALSE(Logged(L"commit"));
  EXPECT_FALSE(Logged(L"start Corvane.exe")) << "it was never closed: a second start would open a second window";
  EXPECT_EQ(host.endResult, 2);
  EXPECT_EQ(host.logged.size(), 1u);
}

TEST_F(UpdaterFlowTest, FailedSwapShowsItOpensTheInstallerAndRestartsTheOldProgram) {
  host.replies = {Package(100)};
  host.commitWorks = false;
  flow->OnTimer();
  EXPECT_EQ(host.statuses.back(), L"T:Unable to unzip file.");
  EXPECT_TRUE(Logged(L"close main Tavrel Video/UWM_JoinDownload_IsMe"));
  EXPECT_TRUE(Logged(L"installer page"));
  EXPECT_TRUE(Logged(L"start Corvane.exe"));
  EXPECT_EQ(host.endResult, 2);
}

// The wait for the main program is bounded: one still running then keeps
// its files and its window; the update is not swapped in under it.
TEST_F(UpdaterFlowTest, MainProgramThatDoesNotCloseInTimeKeepsItsFilesAndTheInstallerPageOpens) {
  host.replies = {Package(100)};
  host.mainProgramCloses = false;
  flow->OnTimer();
  const std::vector<std::wstring> tail(host.log.end() - 8, host.log.end());
  EXPECT_EQ(tail, (std::vector<std::wstring>{L"stage", L"close main Tavrel Video/UWM_JoinDownload_IsMe", L"abandon",
                                             L"installer page", L"close package", L"sleep 1000", L"end dialog",
                                             L"delete"}))
      << "no commit, and no second copy of the program that still runs";
  EXPECT_EQ(host.statuses.back(), L"T:Unable to unzip file.");
  ASSERT_FALSE(host.logged.empty());
  EXPECT_NE(host.logged.front().find(L"did not close"), std::wstring::npos);
  EXPECT_EQ(host.endResult, 2);
  EXPECT_EQ(flow->State(), EUpdaterState::kEnded);
}

// Whatever keeps the transfer from giving the package the server announced:
// the download-failed path, the reason in the log, the package gone, and
// nothing closed or unpacked. Each reply would open as a package otherwise.
TEST_F(UpdaterFlowTest, EachBrokenTransferIsAFailedDownloadThatTouchesNothingElse) {
  struct SCase {
    const char* name;
    std::function<void(SReply&, CFakeHost&)> spoil;
    std::wstring logged;
  };
  const SCase cases[] = {
      {"404 page", [](SReply& r, CFakeHost&) { r.status = 404; r.headers[L"Content-Type"] = L"text/html"; },
       L"Update package: the server answered with HTTP status 404, not 200."},
      {"proxy notice", [](SReply& r, CFakeHost&) { r.status = 203; },
       L"Update package: the server answered with HTTP status 203, not 200."},
      {"body stops early", [](SReply& r, CFakeHost&) { r.body.resize(29999); },
       L"Update package: size differs from Content-Length."},
      {"body runs long", [](SReply& r, CFakeHost&) { r.body += 'z'; },
       L"Update package: size differs from Content-Length."},
      {"disk full", [](SReply&, CFakeHost& h) { h.writeError = 112; },
       L"Update package: writing C:\\tmp\\_newver.zip failed (system error 112)."},
  };
  for (const SCase& c : cases) {
    SReply reply = Package(30000);
    host = CFakeHost();
    c.spoil(reply, host);
    host.replies = {reply};
    SetUp();
    flow->OnTimer();
    EXPECT_EQ(host.statuses.back(), L"[icon]T:Failure to download update file.") << c.name;
    EXPECT_EQ(host.logged, std::vector<std::wstring>{c.logged}) << c.name;
    EXPECT_TRUE(Logged(L"installer page")) << c.name;
    for (const wchar_t* untouched : {L"open package", L"stage", L"commit", L"close main Tavrel Video/UWM_JoinDownload_IsMe"}) {
      EXPECT_FALSE(Logged(untouched)) << c.name << ": " << untouched;
    }
    EXPECT_TRUE(std::none_of(host.log.begin(), host.log.end(),
                             [](const std::wstring& entry) { return entry.rfind(L"start", 0) == 0; })) << c.name;
    EXPECT_EQ(host.files.count(package), 0u) << c.name;
    EXPECT_EQ(flow->State(), EUpdaterState::kEnded) << c.name;
  }
}

TEST_F(UpdaterFlowTest, PackageSha256DecidesBeforeAnythingIsClosed) {
  host.replies = {Package(100)};
  for (const wchar_t* announced : {L"digest-of-zzzzzzzz-101", L"DIGEST-OF-ZZZZZZZZ-100"}) {
    record.packageSha256 = announced;
    host.log.clear();
    SetUp();
    flow->OnTimer();
    EXPECT_EQ(host.statuses.back(), L"[icon]T:Failure to download update file.") << announced;
    EXPECT_FALSE(Logged(L"open package")) << announced;
    EXPECT_FALSE(Logged(L"close main Tavrel Video/UWM_JoinDownload_IsMe")) << announced;
    EXPECT_TRUE(Logged(L"installer page")) << announced;
  }
  record.packageSha256 = L"digest-of-zzzzzzzz-100";
  host.log.clear();
  SetUp();
  flow->OnTimer();
  EXPECT_TRUE(Logged(L"commit"));
  EXPECT_TRUE(Logged(L"start Corvane.exe"));
}

TEST_F(UpdaterFlowTest, PackageThatCannotBeCopiedToTheProtectedFolderClosesNothing) {
  host.replies = {Package(100)};
  host.holdWorks = false;
  flow->OnTimer();
  EXPECT_EQ(host.statuses.back(), L"[icon]T:Failure to download update file.");
  EXPECT_FALSE(Logged(L"open package"));
  EXPECT_FALSE(Logged(L"close main Tavrel Video/UWM_JoinDownload_IsMe"));
  EXPECT_TRUE(Logged(L"installer page"));
  EXPECT_EQ(host.files.count(package), 0u);
  SSignatureVerdict verdict{true, {}};
}

TEST_F(UpdaterFlowTest, NoProgramIsStartedWithoutAProgramName) {
  record.appFileName.clear();  // what a refused name becomes
  SetUp();
  host.replies = {Package(100)};
  flow->OnTimer();
  EXPECT_TRUE(Logged(L"commit"));
  EXPECT_TRUE(std::none_of(host.log.begin(), host.log.end(),
                           [](const std::wstring& entry) { return entry.rfind(L"start", 0) == 0; }));
}

TEST_F(UpdaterFlowTest, PauseBeforeTheFirstTickStillFetchesOneChunk) {
  flow->OnPauseResume();
  EXPECT_EQ(host.labels, std::vector<std::wstring>{L"T:&Resume"});
  host.replies = {Package(50000)};
  flow->OnTimer();
  EXPECT_EQ(host.statuses.size(), 1u);
  EXPECT_EQ(host.files[package].size(), 10240u);  // the partial package stays
  EXPECT_EQ(flow->State(), EUpdaterState::kPaused);
  EXPECT_EQ(host.endResult, -1);
}

TEST_F(UpdaterFlowTest, ResumeStartsAgainFromZero) {
  host.replies = {Package(50000)};
  host.onPump = [&](int pump) {
    if (pump == 3) flow->OnPauseResume();  // after the second chunk
  };
  flow->OnTimer();
  ASSERT_EQ(flow->State(), EUpdaterState::kPaused);
  host.onPump = nullptr;
  host.statuses.clear();
  flow->OnPauseResume();
  EXPECT_EQ(host.labels.back(), L"T:&Pause");
  EXPECT_EQ(host.timerStarts, 1);
  EXPECT_FALSE(flow->StopFlag());
  flow->OnTimer();
  EXPECT_EQ(host.statuses.front().substr(0, 11), L"10240/50000");
  EXPECT_TRUE(Logged(L"start Corvane.exe"));
}

TEST_F(UpdaterFlowTest, CancelDuringTransferEndsAndLeavesThePartialPackage) {
  host.replies = {Package(50000)};
  host.onPump = [&](int pump) {
    if (pump == 2) flow->OnCancel();
  };
  flow->OnTimer();
  EXPECT_EQ(host.endResult, 2);
  EXPECT_EQ(flow->State(), EUpdaterState::kEnded);
  EXPECT_EQ(host.files[package].size(), 20480u);
  EXPECT_FALSE(Logged(L"open package"));
}

TEST_F(UpdaterFlowTest, TickDuringARunningDownloadStartsNoSecondOne) {
  host.replies = {Package(50000)};
  host.onPump = [&](int pump) {
    if (pump == 2) {
      flow->OnPauseResume();
      flow->OnPauseResume();  // Resume within the same chunk
      flow->OnTimer();        // its timer fires while the transfer goes on
    }
  };
  flow->OnTimer();
  EXPECT_EQ(host.gets, 1);
  EXPECT_EQ(host.statuses.size(), 5u);
  EXPECT_TRUE(Logged(L"start Corvane.exe"));
}

}  // namespace
