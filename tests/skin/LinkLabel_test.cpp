// The caption query's copy rule: the buffer is never overrun and always
// ends with a terminator, whatever its length.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/LinkLabel.h"

namespace corvane {
namespace {

constexpr wchar_t kGuard = L'#';

struct SCopyCase {
  const char* name;
  std::wstring label;
  size_t length;
  std::wstring expected;
};

class CopyLabelToBufferTable : public ::testing::TestWithParam<SCopyCase> {};

TEST_P(CopyLabelToBufferTable, CopiesWhatFitsAndNeverWritesPastTheBuffer) {
  const SCopyCase& c = GetParam();
  // The buffer sits inside a larger block whose guard characters must survive.
  std::vector<wchar_t> block(c.length + 4, kGuard);
  wchar_t* buffer = block.data() + 2;
  const size_t copied = CopyLabelToBuffer(c.label, buffer, c.length);
  EXPECT_EQ(copied, c.expected.size());
  EXPECT_EQ(block[0], kGuard);
  EXPECT_EQ(block[1], kGuard);
  EXPECT_EQ(block[c.length + 2], kGuard);
  EXPECT_EQ(block[c.length + 3], kGuard);
  if (c.length > 0) {
    EXPECT_EQ(std::wstring(buffer), c.expected);
  } else {
    EXPECT_EQ(buffer[0], kGuard);  // nothing written at all
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, CopyLabelToBufferTable,
    ::testing::Values(SCopyCase{"ZeroLength", L"Home", 0, L""},
                      SCopyCase{"RoomForTheTerminatorOnly", L"Home", 1, L""},
                      SCopyCase{"ExactFit", L"Home", 5, L"Home"},
                      SCopyCase{"OneShortIsCut", L"Home", 4, L"Hom"},
                      SCopyCase{"ShorterLabelInALargeBuffer", L"Hi", 64, L"Hi"},
                      SCopyCase{"EmptyLabelGivesEmptyText", L"", 8, L""},
                      SCopyCase{"CutKeepsMnemonicsAndSpaces", L"&Join now", 6, L"&Join"}),
    [](const ::testing::TestParamInfo<SCopyCase>& info) { return std::string(info.param.name); });

TEST(CopyLabelToBuffer, NullBufferWritesNothing) { EXPECT_EQ(CopyLabelToBuffer(L"Home", nullptr, 16), 0u); }

// Only where wchar_t holds UTF-16 can a cut fall inside a surrogate pair.
TEST(CopyLabelToBuffer, CutNeverLeavesHalfASurrogatePair) {
  if (sizeof(wchar_t) != 2) GTEST_SKIP() << "wchar_t is not UTF-16 here";
  std::wstring label = L"ab";
  label += static_cast<wchar_t>(0xD83C);  // a pair: U+1F3AC
  label += static_cast<wchar_t>(0xDFAC);
  label += L"c";
  wchar_t buffer[4] = {};
  EXPECT_EQ(CopyLabelToBuffer(label, buffer, 4), 2u);  // "ab" + half the pair would be 3
  EXPECT_EQ(std::wstring(buffer), L"ab");
  wchar_t whole[5] = {};
  EXPECT_EQ(CopyLabelToBuffer(label, whole, 5), 4u);  // the pair fits whole
  EXPECT_EQ(whole[3], static_cast<wchar_t>(0xDFAC));
}

}  // namespace
}  // namespace corvane
