#include "updater/UnzipPaths.h"

#include <gtest/gtest.h>

#include "ParamName.h"

using namespace corvane;

namespace {

struct SNameCase {
  const wchar_t* name;
  bool safe;
};

class EntryNameSafety : public ::testing::TestWithParam<SNameCase> {};

TEST_P(EntryNameSafety, RefusesNamesThatLeaveTheFolder) {
  EXPECT_EQ(IsSafeEntryName(NormaliseEntryName(GetParam().name)), GetParam().safe) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, EntryNameSafety,
    ::testing::Values(SNameCase{L"a.txt", true}, SNameCase{L"sub/dir/a.txt", true}, SNameCase{L"sub/", true},
                      SNameCase{L"./a.txt", true}, SNameCase{L"a..b.txt", true}, SNameCase{L"..a", true},
                      SNameCase{L"../x", false}, SNameCase{L"..\\x", false}, SNameCase{L"sub/../../x", false},
                      SNameCase{L"sub/..", false}, SNameCase{L"..", false}, SNameCase{L"sub/.../x", false},
                      SNameCase{L"sub/. ./x", false}, SNameCase{L"C:\\x", false}, SNameCase{L"C:x", false},
                      SNameCase{L"a.txt:stream", false}, SNameCase{L"\\x", false}, SNameCase{L"/x", false},
                      SNameCase{L"\\\\server\\share\\x", false}, SNameCase{L"", false},
                      // Devices, wherever they stand and whatever follows the dot.
                      SNameCase{L"CON", false}, SNameCase{L"sub/nul.txt", false}, SNameCase{L"com1", false},
                      SNameCase{L"LPT9.log", false}, SNameCase{L"aux /x", false}, SNameCase{L"com10", true},
                      SNameCase{L"console.txt", true}, SNameCase{L"nul_/x", true},
                      // Characters Windows cannot hold, and the unpacker's own files.
                      SNameCase{L"a?.txt", false}, SNameCase{L"a\x01b", false}, SNameCase{L"a|b", false},
                      SNameCase{L"a.txt.~upd", false}, SNameCase{L"sub/A.TXT.~OLD", false},
                      SNameCase{L"_unpack.~jnl", false}, SNameCase{L"a.~updx", true}, SNameCase{L"./.", false}),
    CASE_NAME_BY(name));

TEST(EntryNameKey, NamesWindowsTakesForOneFileShareAKey) {
  EXPECT_EQ(EntryNameKey(L"Sub\\A.TXT"), EntryNameKey(L"sub\\a.txt"));
  EXPECT_EQ(EntryNameKey(L"sub\\a.txt. "), EntryNameKey(L"sub\\a.txt"));
  EXPECT_EQ(EntryNameKey(L".\\sub\\\\a.txt"), EntryNameKey(L"sub\\a.txt"));
  EXPECT_EQ(EntryNameKey(L"sub.\\a.txt"), EntryNameKey(L"sub\\a.txt"));
  EXPECT_NE(EntryNameKey(L"sub\\a.txt"), EntryNameKey(L"sub\\a.txt2"));
  EXPECT_NE(EntryNameKey(L"a\\b.txt"), EntryNameKey(L"ab.txt"));
}

TEST(EntryTargetPath, JoinsWithExactlyOneSeparator) {
  EXPECT_EQ(EntryTargetPath(L"C:\\prog\\", L"sub\\a.txt", false), L"C:\\prog\\sub\\a.txt");
  EXPECT_EQ(EntryTargetPath(L"C:\\prog", L"sub\\a.txt", false), L"C:\\prog\\sub\\a.txt");
  EXPECT_EQ(EntryTargetPath(L"/tmp/x/", L"a.txt", false), L"/tmp/x/a.txt");
}

TEST(EntryTargetPath, FlattenKeepsOnlyTheFileName) {
  EXPECT_EQ(EntryTargetPath(L"C:\\out", L"sub\\dir\\a.txt", true), L"C:\\out\\a.txt");
  EXPECT_EQ(EntryTargetPath(L"C:\\out", L"a.txt", true), L"C:\\out\\a.txt");
}

TEST(PathWithoutExtension, CutsOnlyAnExtensionOfTheLastPart) {
  EXPECT_EQ(PathWithoutExtension(L"C:\\t\\_newver.zip"), L"C:\\t\\_newver");
  EXPECT_EQ(PathWithoutExtension(L"C:\\a.b\\file"), L"C:\\a.b\\file");
  EXPECT_EQ(PathWithoutExtension(L"/t/a.tar.gz"), L"/t/a.tar");
}

TEST(ParentPath, CutsAtTheLastSeparatorOrFails) {
  std::wstring parent;
  ASSERT_TRUE(ParentPath(L"C:\\a\\b.txt", parent));
  EXPECT_EQ(parent, L"C:\\a");
  ASSERT_TRUE(ParentPath(L"/a/b", parent));
  EXPECT_EQ(parent, L"/a");
  EXPECT_FALSE(ParentPath(L"b.txt", parent));
}

TEST(DecodeDosDateTime, SplitsDateAndTimeFields) {
  // 2021-03-04 05:06:08: date (41 << 9 | 3 << 5 | 4), time (5 << 11 | 6 << 5 | 4).
  const uint32_t dos = ((41u << 9 | 3u << 5 | 4u) << 16) | (5u << 11 | 6u << 5 | 4u);
  const SDosDateTime t = DecodeDosDateTime(dos);
  EXPECT_EQ(t.year, 2021);
  EXPECT_EQ(t.month, 3);
  EXPECT_EQ(t.day, 4);
  EXPECT_EQ(t.hour, 5);
  EXPECT_EQ(t.minute, 6);
  EXPECT_EQ(t.second, 8);
}

}  // namespace
