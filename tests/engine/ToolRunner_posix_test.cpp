// RunTool against real child processes.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>

#include "engine/ToolRunner.h"

using namespace corvane;

namespace {

// Records every handler call.
struct SRecorder {
  int chunkCalls = 0;
  int doneCalls = 0;
  size_t largestBlock = 0;
  std::string doneText;
  bool chunkResult = true;
  bool doneResult = true;
  bool throwInChunk = false;

  OutputChunkHandler Chunk() {
    return [this](TStdStr<char>& accumulated, const TStdStr<char>& block) {
      ++chunkCalls;
      largestBlock = std::max(largestBlock, block.size());
      accumulated += block;
      if (throwInChunk) throw std::runtime_error("bad number");
      return chunkResult;
    };
  }
  OutputDoneHandler Done() {
    return [this](const TStdStr<char>& accumulated) {
      ++doneCalls;
      doneText = accumulated;
      return doneResult;
    };
  }
};

bool ProcessExists(pid_t pid) { return ::kill(pid, 0) == 0 || errno != ESRCH; }

// True while the process runs; a zombie (ended, waiting for its parent to
// reap it) counts as ended.
bool ProcessRuns(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return false;
  const size_t close = line.rfind(')');
  return close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z';
}

class RunToolPosix : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/corvane-runtool-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    m_folder = pattern;
  }
  void TearDown() override {
    std::remove((m_folder + "/pid").c_str());
    ::rmdir(m_folder.c_str());
  }
  pid_t ReadPid() {
    std::ifstream in(m_folder + "/pid");
    pid_t pid = 0;
    in >> pid;
    return pid;
  }
  std::wstring Folder() const { return std::wstring(m_folder.begin(), m_folder.end()); }

  std::string m_folder;
  SRecorder m_rec;
};

TEST_F(RunToolPosix, EmptyCommandRunsNothingAndCallsNoHandler) {
  EXPECT_TRUE(RunTool(L"", L"", m_rec.Chunk(), m_rec.Done()));
  EXPECT_EQ(m_rec.chunkCalls, 0);
  EXPECT_EQ(m_rec.doneCalls, 0);
}

TEST_F(RunToolPosix, ToolWithoutOutputGivesDoneHandlerEmptyText) {
  m_rec.doneResult = false;  // RunTool's result is the done handler's
  EXPECT_FALSE(RunTool(L"", L"/bin/true", m_rec.Chunk(), m_rec.Done()));
  EXPECT_EQ(m_rec.chunkCalls, 0);
  EXPECT_EQ(m_rec.doneCalls, 1);
  EXPECT_EQ(m_rec.doneText, "");
}

TEST_F(RunToolPosix, StandardOutputAndErrorArriveOnOnePipe) {
  EXPECT_TRUE(RunTool(L"", L"/bin/sh -c \"printf out; printf err >&2; printf more\"", m_rec.Chunk(),
                      m_rec.Done()));
  EXPECT_EQ(m_rec.doneText, "outerrmore");
}

TEST_F(RunToolPosix, OutputComesInBlocksOfAtMost4096Bytes) {
  EXPECT_TRUE(RunTool(L"", L"/bin/sh -c \"head -c 100000 /dev/zero\"", m_rec.Chunk(), m_rec.Done()));
  EXPECT_TRUE(m_rec.doneText == std::string(100000, '\0')) << "got " << m_rec.doneText.size() << " bytes";
  EXPECT_LE(m_rec.largestBlock, 4096u);
  EXPECT_GE(m_rec.chunkCalls, 25);
}

TEST_F(RunToolPosix, ChildStandardInputIsEmptyNotTheTerminal) {
  EXPECT_TRUE(RunTool(L"", L"/bin/sh -c \"cat; echo end\"", m_rec.Chunk(), m_rec.Done()));
  EXPECT_EQ(m_rec.doneText, "end\n");
}

TEST_F(RunToolPosix, WorkingFolderIsUsed) {
  EXPECT_TRUE(RunTool(Folder(), L"/bin/pwd", m_rec.Chunk(), m_rec.Done()));
  EXPECT_EQ(m_rec.doneText, m_folder + "\n");
}

TEST_F(RunToolPosix, QuotedArgumentsKeepTheirBlanks) {
  EXPECT_TRUE(RunTool(L"", L"\"/bin/echo\" \"a  b\" c", m_rec.Chunk(), m_rec.Done()));
  EXPECT_EQ(m_rec.doneText, "a  b c\n");
}

TEST_F(RunToolPosix, HandlerFalseOnFirstBlockEndsTheChild) {
  const auto start = std::chrono::steady_clock::now();
  m_rec.chunkResult = false;
  const std::wstring command = L"/bin/sh -c \"echo $$ > pid; echo started; exec sleep 30\"";
  EXPECT_TRUE(RunTool(Folder(), command, m_rec.Chunk(), m_rec.Done()));
  EXPECT_EQ(m_rec.chunkCalls, 1);
  EXPECT_EQ(m_rec.doneCalls, 1);
  EXPECT_EQ(m_rec.doneText, "started\n");
  const pid_t pid = ReadPid();
  ASSERT_GT(pid, 0);
  EXPECT_FALSE(ProcessExists(pid)) << "child " << pid << " still exists (running or zombie)";
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST_F(RunToolPosix, GrandchildrenAreEndedToo) {
  m_rec.chunkResult = false;
  // The shell starts sleep in the background and reports its id.
  const std::wstring command = L"/bin/sh -c \"sleep 30 & echo $! > pid; echo go; wait\"";
  EXPECT_TRUE(RunTool(Folder(), command, m_rec.Chunk(), m_rec.Done()));
  const pid_t pid = ReadPid();
  ASSERT_GT(pid, 0);
  // The orphaned grandchild is reaped (if at all) by whoever adopts it.
  for (int i = 0; i < 50 && ProcessRuns(pid); ++i) ::usleep(20000);
  EXPECT_FALSE(ProcessRuns(pid));
}

// A child that prints nothing is ended from another thread at once, with
// what it started; so is every child started after the stop.
TEST_F(RunToolPosix, StopFromAnotherThreadEndsASilentChild) {
  CToolStop stop;
  const auto start = std::chrono::steady_clock::now();
  std::thread stopper([&stop] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    stop.Stop();
  });
  const std::wstring command = L"/bin/sh -c \"sleep 30 & echo $! > pid; wait\"";
  EXPECT_TRUE(RunTool(Folder(), command, m_rec.Chunk(), m_rec.Done(), &stop));
  stopper.join();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  const pid_t pid = ReadPid();
  ASSERT_GT(pid, 0);
  for (int i = 0; i < 50 && ProcessRuns(pid); ++i) ::usleep(20000);
  EXPECT_FALSE(ProcessRuns(pid));
  const auto again = std::chrono::steady_clock::now();
  EXPECT_TRUE(RunTool(Folder(), L"sleep 30", m_rec.Chunk(), m_rec.Done(), &stop));
  EXPECT_LT(std::chrono::steady_clock::now() - again, std::chrono::seconds(5));
}

TEST_F(RunToolPosix, ThrowingHandlerEndsRunAndDoneHandlerStillRuns) {
  m_rec.throwInChunk = true;
  const std::wstring command = L"/bin/sh -c \"echo $$ > pid; echo 1; exec sleep 30\"";
  EXPECT_TRUE(RunTool(Folder(), command, m_rec.Chunk(), m_rec.Done()));
  EXPECT_EQ(m_rec.chunkCalls, 1);
  EXPECT_EQ(m_rec.doneCalls, 1);
  EXPECT_EQ(m_rec.doneText, "1\n");
  EXPECT_FALSE(ProcessExists(ReadPid()));
}

TEST_F(RunToolPosix, MissingProgramFailsWithoutHandlers) {
  EXPECT_FALSE(RunTool(L"", L"\"/nonexistent/ffmpeg\" -i x", m_rec.Chunk(), m_rec.Done()));
  EXPECT_EQ(m_rec.chunkCalls + m_rec.doneCalls, 0);
}

TEST_F(RunToolPosix, MissingWorkingFolderFailsWithoutHandlers) {
  EXPECT_FALSE(RunTool(L"/nonexistent/folder", L"/bin/true", m_rec.Chunk(), m_rec.Done()));
  EXPECT_EQ(m_rec.chunkCalls + m_rec.doneCalls, 0);
}

TEST_F(RunToolPosix, CommandLineLimitIs2047Units) {
  const std::wstring prefix = L"/bin/echo ";
  const std::wstring fits = prefix + std::wstring(kMaxToolCommandLine - prefix.size(), L'a');
  ASSERT_EQ(fits.size(), 2047u);
  EXPECT_TRUE(RunTool(L"", fits, m_rec.Chunk(), m_rec.Done()));
  EXPECT_EQ(m_rec.doneText.size(), 2047u - prefix.size() + 1);

  SRecorder tooLong;
  EXPECT_FALSE(RunTool(L"", fits + L"a", tooLong.Chunk(), tooLong.Done()));
  EXPECT_EQ(tooLong.chunkCalls + tooLong.doneCalls, 0);
}

TEST_F(RunToolPosix, SupplementaryCharactersCountAsTwoUnits) {
  const std::wstring prefix = L"/bin/echo ";
  // 1018 characters above U+FFFF take 2036 UTF-16 units: 2046 with the prefix.
  std::wstring command = prefix + std::wstring(1018, static_cast<wchar_t>(0x1F600));
  EXPECT_TRUE(RunTool(L"", command, m_rec.Chunk(), m_rec.Done()));
  command += static_cast<wchar_t>(0x1F600);  // 2048 units
  SRecorder tooLong;
  EXPECT_FALSE(RunTool(L"", command, tooLong.Chunk(), tooLong.Done()));
  EXPECT_EQ(tooLong.doneCalls, 0);
}

}  // namespace
