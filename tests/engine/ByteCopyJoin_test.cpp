#include "engine/ByteCopyJoin.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "base/FsPath.h"
#include "engine/TempFiles.h"
#include "engine/ToolStop.h"

namespace corvane {
namespace {

class JoinByteCopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = CreateUniqueFolder(GetTempFolder(), std::random_device{}() % 0xFFFF + 1);
    ASSERT_FALSE(m_folder.empty());
  }
  void TearDown() override { RemoveFolderTree(m_folder); }

  std::wstring Make(const std::wstring& name, const std::string& bytes) {
    const std::wstring path = m_folder + name;
    std::ofstream(ToFsPath(path), std::ios::binary) << bytes;
    return path;
  }
  std::string Read(const std::wstring& path) {
    std::ifstream in(ToFsPath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool Exists(const std::wstring& path) { return std::filesystem::exists(ToFsPath(path)); }

  std::wstring m_folder;
};

TEST_F(JoinByteCopyTest, JoinsInOrderByteExactly) {
  // End-of-file marks, line ends and NULs pass unchanged; names are only names.
  const std::string a("\x00\x1A\r\nA", 5), b("\x1A\x1A", 2), c("C\n", 2);
  const std::wstring joined = m_folder + L"%OS% trip_all.xbv";
  ASSERT_TRUE(JoinByteCopy({Make(L"%OS% trip.xbv", a), Make(L"\u00e9 ^&!%PATH%.xbv", b), Make(L"c.xbv", c)}, joined,
                           {}));
  EXPECT_EQ(a + b + c, Read(joined));
}

// The joined stream goes into the file reserved for it, whatever it held.
TEST_F(JoinByteCopyTest, ReplacesTheReservedFilesContent) {
  const std::wstring joined = Make(L"x_all.xbv", std::string(100, 'o'));
  ASSERT_TRUE(JoinByteCopy({Make(L"x.xbv", "12"), Make(L"y.xbv", "34")}, joined, {}));
  EXPECT_EQ("1234", Read(joined));
}

// A source that is gone or cannot be read as a file, or a joined stream
// that cannot be made, fails the join and leaves no joined stream.
TEST_F(JoinByteCopyTest, UnreadableSourceOrUnwritableTargetFailsAndLeavesNothing) {
  const std::wstring joined = m_folder + L"a_all.xbv";
  const std::wstring a = Make(L"a.xbv", "aa"), c = Make(L"c.xbv", "cc");
  EXPECT_FALSE(JoinByteCopy({a, m_folder + L"gone.xbv", c}, joined, {}));
  EXPECT_FALSE(Exists(joined));
  ASSERT_TRUE(std::filesystem::create_directory(ToFsPath(m_folder + L"a folder.xbv")));
  EXPECT_FALSE(JoinByteCopy({a, m_folder + L"a folder.xbv", c}, joined, {}));
  EXPECT_FALSE(Exists(joined));
  EXPECT_FALSE(JoinByteCopy({a, c}, m_folder + L"no such folder" + m_folder.back() + L"a_all.xbv", {}));
  EXPECT_EQ("aa", Read(a));
  EXPECT_EQ("cc", Read(c));
}

// Forty sources with long names: far more than one command line could
// carry, joined in one go.
TEST_F(JoinByteCopyTest, FortyLongNamesJoinInOrder) {
  std::vector<std::wstring> sources;
  std::string expected;
  for (int i = 0; i < 40; ++i) {
    const std::string bytes = std::to_string(i) + "\x1A";
    sources.push_back(Make(L"holiday clip number " + std::to_wstring(i) + L" with a rather long title.xbv", bytes));
    expected += bytes;
  }
  const std::wstring joined = m_folder + L"holiday clip number 0 with a rather long title_all.xbv";
  ASSERT_TRUE(JoinByteCopy(sources, joined, {}));
  EXPECT_EQ(expected, Read(joined));
}

// Cancel (the keep-going answer turning false) or a stop of the job's tools,
// asked from another thread while hundreds of megabytes are being joined:
// the join ends within a short time and no joined stream is left.
TEST_F(JoinByteCopyTest, CancelOrStopDuringALargeJoinEndsSoonAndLeavesNothing) {
  constexpr uintmax_t kSourceSize = uintmax_t{96} << 20;
  std::vector<std::wstring> sources;
  for (const wchar_t* name : {L"big1.xbv", L"big2.xbv", L"big3.xbv"}) {
    sources.push_back(Make(name, "x"));
    std::filesystem::resize_file(ToFsPath(sources.back()), kSourceSize);
  }
  const std::wstring joined = m_folder + L"big1_all.xbv";
  using Clock = std::chrono::steady_clock;
  for (const bool byStop : {false, true}) {
    SCOPED_TRACE(byStop ? "stop" : "cancel");
    std::atomic<int> blocks{0};
    std::atomic<bool> cancelled{false}, ended{false};
    CToolStop stop;
    Clock::time_point askedAt{};
    std::thread canceller([&] {
      while (blocks.load() < 8 && !ended.load()) std::this_thread::yield();
      askedAt = Clock::now();
      if (byStop) {
        stop.Stop();
      } else {
        cancelled = true;
      }
    });
    const bool joinedAll = JoinByteCopy(sources, joined, [&] {
      ++blocks;
      return !cancelled.load();
    }, &stop);
    const Clock::time_point endedAt = Clock::now();
    ended = true;
    canceller.join();
    EXPECT_FALSE(joinedAll);
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(endedAt - askedAt).count(), 1000);
    EXPECT_LT(blocks.load(), 3 * 96) << "the join did not run to its end";
    EXPECT_FALSE(Exists(joined));
  }
}

}  // namespace
}  // namespace corvane
