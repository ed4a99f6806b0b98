#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ToolCommandLine.h"

using namespace corvane;

namespace {

struct SSplitCase {
  const char* name;
  std::wstring commandLine;
  std::vector<std::wstring> expected;
};

class SplitToolCommandLineTable : public ::testing::TestWithParam<SSplitCase> {};

TEST_P(SplitToolCommandLineTable, GivesExpectedArguments) {
  EXPECT_EQ(SplitToolCommandLine(GetParam().commandLine), GetParam().expected);
}

const SSplitCase kSplitCases[] = {
    {"Empty", L"", {}},
    {"OnlyBlanks", L" \t  ", {}},
    {"PlainTokens", L"ffmpeg -i a.flv", {L"ffmpeg", L"-i", L"a.flv"}},
    {"QuotedPathWithSpaces", L"\"/opt/my tools/ffmpeg\" -i \"/v/a b.flv\"",
     {L"/opt/my tools/ffmpeg", L"-i", L"/v/a b.flv"}},
    {"TabsAndRepeatedBlanks", L"a\t\tb   c", {L"a", L"b", L"c"}},
    {"EmptyQuotedArgument", L"a \"\" b", {L"a", L"", L"b"}},
    {"QuoteInsideToken", L"-vf scale=\"1 2\"x", {L"-vf", L"scale=1 2x"}},
    {"UnclosedQuoteRunsToEnd", L"a \"b c", {L"a", L"b c"}},
    {"BackslashesAreOrdinary", L"\"C:\\dir\\\" x", {L"C:\\dir\\", L"x"}},
    {"TrailingBlank", L"a ", {L"a"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, SplitToolCommandLineTable, ::testing::ValuesIn(kSplitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Utf16Length, CountsSupplementaryCharactersTwice) {
  EXPECT_EQ(Utf16Length(L""), 0u);
  EXPECT_EQ(Utf16Length(L"abc"), 3u);
  std::wstring withEmoji = L"a";
  if constexpr (sizeof(wchar_t) == 4) {
    withEmoji += static_cast<wchar_t>(0x1F600);
  } else {
    withEmoji += L"\xD83D\xDE00";
  }
  EXPECT_EQ(Utf16Length(withEmoji), 3u);
}

}  // namespace
