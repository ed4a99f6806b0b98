// RunTool on Windows against real child processes (the command interpreter).
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include "engine/ToolRunner.h"

using namespace corvane;

namespace {

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

TEST(RunToolWindows, ThrowingHandlerStillCallsDone) {
  SRecorder rec;
  rec.throwInChunk = true;
  EXPECT_TRUE(RunTool(L"", L"cmd.exe /c echo x", rec.Chunk(), rec.Done()));
  EXPECT_EQ(rec.chunkCalls, 1);
  EXPECT_EQ(rec.doneCalls, 1);
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
