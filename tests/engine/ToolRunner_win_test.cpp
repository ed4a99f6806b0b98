// RunTool on Windows against real child processes (the command interpreter).
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "base/Handle.h"
#include "base/WinModule.h"
#include "engine/ToolRunner.h"

using namespace corvane;

namespace {

// This test program, started again with one of these arguments, is a stand-in
// tool that waits, or a stand-in joiner that starts that tool and then dies
// without any clean-up, as a crash would end it.
constexpr wchar_t kWaitingToolArgument[] = L"--wait-as-a-tool";
constexpr wchar_t kCrashingJoinerArgument[] = L"--crash-while-a-tool-runs";

[[maybe_unused]] const bool kStandInRole = [] {
  const std::wstring line = GetCommandLineW();
  if (line.find(kWaitingToolArgument) != std::wstring::npos) {
    Sleep(60000);
    ExitProcess(0);
  }
  if (line.find(kCrashingJoinerArgument) != std::wstring::npos) {
    std::thread([] {
      RunTool(L"", L"\"" + ModuleFilePath() + L"\" " + kWaitingToolArgument, nullptr, nullptr);
    }).detach();
    Sleep(1500);
    TerminateProcess(GetCurrentProcess(), 3);
  }
  return false;
}();

std::vector<DWORD> ChildrenOf(DWORD parent) {
  std::vector<DWORD> children;
  const CHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return children;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry)) {
    if (entry.th32ParentProcessID == parent) children.push_back(entry.th32ProcessID);
  }
  return children;
}

struct SRecorder {
  int chunkCalls = 0;
  int doneCalls = 0;
  std::string doneText;
  bool chunkResult = true;
  bool throwInChunk = false;
  OutputChunkHandler Chunk() {
    return [this](TStdStr<char>& accumulated, const TStdStr<char>& block) {
      ++chunkCalls;
      accumulated += block;
      if (throwInChunk) throw std::runtime_error("bad");
      return chunkResult;
    };
  }
  OutputDoneHandler Done() {
    return [this](const TStdStr<char>& accumulated) {
      ++doneCalls;
      doneText = accumulated;
      return true;
    };
  }
};

std::wstring TempFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return temp;
}

TEST(RunToolWindows, EmptyCommandRunsNothing) {
  SRecorder rec;
  EXPECT_TRUE(RunTool(L"", L"", rec.Chunk(), rec.Done()));
  EXPECT_EQ(rec.chunkCalls + rec.doneCalls, 0);
}

TEST(RunToolWindows, OutputAndErrorsShareThePipe) {
  SRecorder rec;
  EXPECT_TRUE(RunTool(L"", L"cmd.exe /c echo out& echo err 1>&2", rec.Chunk(), rec.Done()));
  EXPECT_NE(rec.doneText.find("out"), std::string::npos);
  EXPECT_NE(rec.doneText.find("err"), std::string::npos);
  EXPECT_EQ(rec.doneCalls, 1);
}

TEST(RunToolWindows, ToolWithoutOutputGivesEmptyText) {
  SRecorder rec;
  EXPECT_TRUE(RunTool(L"", L"cmd.exe /c exit 3", rec.Chunk(), rec.Done()));
  EXPECT_EQ(rec.chunkCalls, 0);
  EXPECT_EQ(rec.doneCalls, 1);
  EXPECT_EQ(rec.doneText, "");
}

TEST(RunToolWindows, WorkingFolderIsUsed) {
  SRecorder rec;
  const std::wstring folder = TempFolder();
  EXPECT_TRUE(RunTool(folder, L"cmd.exe /c cd", rec.Chunk(), rec.Done()));
  std::string expected(folder.begin(), folder.end());
  if (expected.size() > 3 && expected.back() == '\\') expected.pop_back();
  EXPECT_NE(rec.doneText.find(expected), std::string::npos) << rec.doneText;
}

TEST(RunToolWindows, HandlerFalseEndsALongRunningChild) {
  SRecorder rec;
  rec.chunkResult = false;
  const auto start = std::chrono::steady_clock::now();
  // Prints once, then waits for a line on its standard input, which is a
  // pipe nobody writes to: without the stop it would wait for ever.
  EXPECT_TRUE(RunTool(L"", L"cmd.exe /c echo started& set /p line=", rec.Chunk(), rec.Done()));
  EXPECT_EQ(rec.chunkCalls, 1);
  EXPECT_EQ(rec.doneCalls, 1);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

// A child that prints nothing (the byte copy) is ended from another thread
// at once, and every child started after the stop is ended too.
TEST(RunToolWindows, StopFromAnotherThreadEndsASilentChild) {
  SRecorder rec;
  CToolStop stop;
  const auto start = std::chrono::steady_clock::now();
  std::thread stopper([&stop] {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    stop.Stop();
  });
  EXPECT_TRUE(RunTool(L"", L"cmd.exe /c set /p line=", rec.Chunk(), rec.Done(), &stop));
  stopper.join();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
  EXPECT_EQ(rec.doneCalls, 1);
  const auto again = std::chrono::steady_clock::now();
  EXPECT_TRUE(RunTool(L"", L"cmd.exe /c set /p line=", rec.Chunk(), rec.Done(), &stop));
  EXPECT_LT(std::chrono::steady_clock::now() - again, std::chrono::seconds(4));
}

// A pipe of another run, its child's end inheritable as RunTool makes it,
// while a long run starts its child: that child must not inherit the other
// run's end, or the other run's reader would see the end of its pipe only
// when this child ends.
TEST(RunToolWindows, ChildInheritsOnlyItsOwnPipeEnds) {
  SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
  CHandle otherRead, otherWrite;
  ASSERT_TRUE(CreatePipe(otherRead.Put(), otherWrite.Put(), &inheritable, 0));
  SetHandleInformation(otherRead.Get(), HANDLE_FLAG_INHERIT, 0);

  CToolStop stop;
  std::thread longRun([&stop] {
    RunTool(L"", L"\"" + ModuleFilePath() + L"\" " + kWaitingToolArgument, nullptr, nullptr, &stop);
  });
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (ChildrenOf(GetCurrentProcessId()).empty() && std::chrono::steady_clock::now() < until) Sleep(20);
  ASSERT_FALSE(ChildrenOf(GetCurrentProcessId()).empty()) << "the long run's child started";
  // Should the child hold the other end after all, the read below returns
  // only when this ends the child.
  std::thread stopper([&stop] {
    Sleep(3000);
    stop.Stop();
  });

  otherWrite.Close();
  const auto start = std::chrono::steady_clock::now();
  char byte = 0;
  DWORD read = 0;
  EXPECT_FALSE(ReadFile(otherRead.Get(), &byte, 1, &read, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BROKEN_PIPE));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000))
      << "the other run's pipe stayed open while the long child ran";
  stopper.join();
  longRun.join();
}

TEST(RunToolWindows, ThrowingHandlerStillCallsDone) {
  SRecorder rec;
  rec.throwInChunk = true;
  EXPECT_TRUE(RunTool(L"", L"cmd.exe /c echo x", rec.Chunk(), rec.Done()));
  EXPECT_EQ(rec.chunkCalls, 1);
  EXPECT_EQ(rec.doneCalls, 1);
}

// A joiner that ends abruptly takes its running tool with it.
TEST(RunToolWindows, ToolEndsWithTheProgramThatStartedItEvenInACrash) {
  std::wstring line = L"\"" + ModuleFilePath() + L"\" " + kCrashingJoinerArgument;
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  const CHandle joiner(pi.hProcess), joinerThread(pi.hThread);
  // The stand-in joiner's tool is running before the joiner dies...
  std::vector<DWORD> tools;
  for (int i = 0; i < 100 && tools.empty(); ++i) {
    Sleep(20);
    tools = ChildrenOf(pi.dwProcessId);
  }
  ASSERT_FALSE(tools.empty()) << "the stand-in joiner started no tool";
  ASSERT_EQ(WaitForSingleObject(joiner.Get(), 10000), WAIT_OBJECT_0);
  // ...and ends with it, long before its own minute is up.
  for (int i = 0; i < 100 && !ChildrenOf(pi.dwProcessId).empty(); ++i) Sleep(50);
  EXPECT_TRUE(ChildrenOf(pi.dwProcessId).empty()) << "the tool outlived the program that started it";
  for (DWORD tool : tools) {
    const CHandle leftover(OpenProcess(PROCESS_TERMINATE, FALSE, tool));
    if (leftover) TerminateProcess(leftover.Get(), 0);
  }
}

TEST(RunToolWindows, MissingProgramOrOverlongCommandFailsWithoutHandlers) {
  SRecorder rec;
  EXPECT_FALSE(RunTool(L"", L"\"C:\\no such folder\\ffmpeg.exe\" -i x", rec.Chunk(), rec.Done()));
  const std::wstring prefix = L"cmd.exe /c rem ";
  const std::wstring fits = prefix + std::wstring(kMaxToolCommandLine - prefix.size(), L'a');
  EXPECT_TRUE(RunTool(L"", fits, rec.Chunk(), rec.Done()));
  EXPECT_EQ(rec.doneCalls, 1);
  EXPECT_FALSE(RunTool(L"", fits + L"a", rec.Chunk(), rec.Done()));
  EXPECT_EQ(rec.doneCalls, 1);
}

}  // namespace
