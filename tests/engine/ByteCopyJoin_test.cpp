#include "engine/ByteCopyJoin.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

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

TEST_F(JoinByteCopyTest, SizeCheck) {
  const std::wstring a = Make(L"a", "123"), b = Make(L"b", "45");
  EXPECT_TRUE(JoinedSizeMatches({a, b}, Make(L"j", "12345")));
  EXPECT_FALSE(JoinedSizeMatches({a, b}, Make(L"k", "1234")));
  EXPECT_FALSE(JoinedSizeMatches({a, m_folder + L"none"}, Make(L"l", "123")));
  EXPECT_FALSE(JoinedSizeMatches({a}, m_folder + L"none"));
}

}  // namespace
}  // namespace corvane
