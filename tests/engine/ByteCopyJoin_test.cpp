#include "engine/ByteCopyJoin.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "engine/JoinCommands.h"
#include "base/FsPath.h"
#include "engine/PathParts.h"
#include "engine/TempFiles.h"

namespace corvane {
namespace {

class JoinByteCopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring base = GetTempFolder();
    m_folder = MakeUniqueTempName(base, L"");
    ASSERT_FALSE(m_folder.empty());
    std::filesystem::create_directory(ToFsPath(m_folder));
    m_folder += base.back();
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
  // End-of-file marks, line ends and NULs must pass unchanged.
  const std::string a("\x00\x1A\r\nA", 5), b("\x1A\x1A", 2), c("C\n", 2);
  const std::wstring joined = m_folder + L"a b_all.xbv";
  ASSERT_TRUE(JoinByteCopy({Make(L"a b.xbv", a), Make(L"\u00e9.xbv", b), Make(L"c.xbv", c)}, joined, {}));
  EXPECT_EQ(a + b + c, Read(joined));
}

TEST_F(JoinByteCopyTest, ReplacesAnOlderJoinedStream) {
  const std::wstring joined = Make(L"x_all.xbv", std::string(100, 'o'));
  ASSERT_TRUE(JoinByteCopy({Make(L"x.xbv", "12"), Make(L"y.xbv", "34")}, joined, {}));
  EXPECT_EQ("1234", Read(joined));
}

TEST_F(JoinByteCopyTest, MissingSourceFailsAndLeavesNoJoinedStream) {
  const std::wstring joined = m_folder + L"a_all.xbv";
  EXPECT_FALSE(JoinByteCopy({Make(L"a.xbv", "aa"), m_folder + L"gone.xbv", Make(L"c.xbv", "cc")}, joined, {}));
  EXPECT_FALSE(Exists(joined));
}

TEST_F(JoinByteCopyTest, StopRequestFailsAndLeavesNoJoinedStream) {
  const std::wstring joined = m_folder + L"a_all.xbv";
  EXPECT_FALSE(JoinByteCopy({Make(L"a.xbv", "aa"), Make(L"b.xbv", "bb")}, joined, [] { return false; }));
  EXPECT_FALSE(Exists(joined));
}

// Forty sources with long names are more than one command line of the
// command interpreter: the join is made in rounds and its parts go again.
TEST_F(JoinByteCopyTest, FortyLongNamesJoinInOrderAndLeaveNoPart) {
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
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(ToFsPath(m_folder))) {
    ++files;
    EXPECT_EQ(entry.path().string().find(".part"), std::string::npos) << entry.path().string();
  }
  EXPECT_EQ(files, sources.size() + 1);
}

TEST_F(JoinByteCopyTest, SizeCheck) {
  const std::wstring a = Make(L"a", "123"), b = Make(L"b", "45");
  EXPECT_TRUE(JoinedSizeMatches({a, b}, Make(L"j", "12345")));
  EXPECT_FALSE(JoinedSizeMatches({a, b}, Make(L"k", "1234")));
  EXPECT_FALSE(JoinedSizeMatches({a, m_folder + L"none"}, Make(L"l", "123")));
  EXPECT_FALSE(JoinedSizeMatches({a}, m_folder + L"none"));
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

// Forty intermediates with deep paths do not fit one command line: the
// copy is planned in rounds that each fit, keep the order, and carry the
// part made so far into the next round.
TEST(PlanByteCopyRounds, LongListsAreCopiedInRoundsThatFit) {
  const std::wstring folder = L"C:\\Users\\someone\\Videos\\" + std::wstring(120, L'f') + L"\\";
  std::vector<std::wstring> sources;
  for (int i = 0; i < 40; ++i) sources.push_back(folder + L"holiday clip " + std::to_wstring(i) + L".xbv");
  const std::wstring joined = folder + L"holiday clip 0_all.xbv";
  const auto part = [&](int i) { return joined + L".part" + std::to_wstring(i); };

  const std::vector<SByteCopyRound> rounds = PlanByteCopyRounds(sources, joined, 2047, part);
  ASSERT_GT(rounds.size(), 1u);
  std::vector<std::wstring> copied;
  for (size_t r = 0; r < rounds.size(); ++r) {
    EXPECT_LE(BuildByteCopyCommand(rounds[r].sources, rounds[r].target).size(), 2047u);
    EXPECT_EQ(rounds[r].target, r + 1 == rounds.size() ? joined : part(static_cast<int>(r) + 1));
    const size_t first = r == 0 ? 0 : 1;
    if (r > 0) EXPECT_EQ(rounds[r].sources.front(), rounds[r - 1].target);
    copied.insert(copied.end(), rounds[r].sources.begin() + first, rounds[r].sources.end());
  }
  EXPECT_EQ(copied, sources);

  // A short list stays one command; a path too long for any command, none.
  EXPECT_EQ(PlanByteCopyRounds({sources[0], sources[1]}, joined, 2047, part).size(), 1u);
  EXPECT_TRUE(PlanByteCopyRounds({std::wstring(3000, L'x'), sources[1]}, joined, 2047, part).empty());
}

}  // namespace
}  // namespace corvane
