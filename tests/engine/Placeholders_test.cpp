#include <gtest/gtest.h>

#include <string>

#include "engine/ToolRunner.h"

using namespace corvane;

namespace {

struct SPlaceholderCase {
  const char* name;
  std::wstring command;
  const wchar_t* fileType;  // null: no file type given
  std::wstring input, input2, output;
  std::wstring expected;
};

class SubstitutePlaceholdersTable : public ::testing::TestWithParam<SPlaceholderCase> {};

TEST_P(SubstitutePlaceholdersTable, GivesExpectedCommand) {
  const SPlaceholderCase& c = GetParam();
  std::wstring command = c.command;
  std::wstring fileType = c.fileType ? c.fileType : L"";
  SubstitutePlaceholders(command, L"C:\\Corvane\\ffmpeg.exe", c.fileType ? &fileType : nullptr, c.input,
                         c.input2, c.output);
  EXPECT_EQ(command, c.expected);
}

const SPlaceholderCase kCases[] = {
    {"FullTemplate", L"\"#ffmpegpath#\" -i \"#orgfilepath#\" -f #filetype# -y \"#outfilepath#\"", L"mp4",
     L"a.flv", L"", L"out.mp4",
     L"\"C:\\Corvane\\ffmpeg.exe\" -i \"a.flv\" -f mp4 -y \"out.mp4\""},
    {"EveryOccurrenceReplaced", L"#orgfilepath#|#orgfilepath#|#orgfilepath#", nullptr, L"x", L"", L"",
     L"x|x|x"},
    {"SecondInputEmptyKeepsPlaceholder", L"-i \"#orgfilepath#\" -i \"#orgfilepath2#\"", nullptr, L"a", L"",
     L"", L"-i \"a\" -i \"#orgfilepath2#\""},
    {"SecondInputGivenIsReplaced", L"-i \"#orgfilepath2#\"", nullptr, L"a", L"b", L"", L"-i \"b\""},
    {"NullFileTypeKeepsPlaceholder", L"-f #filetype#", nullptr, L"", L"", L"", L"-f #filetype#"},
    {"EmptyFileTypeRemovesPlaceholder", L"-f #filetype# -y", L"", L"", L"", L"", L"-f  -y"},
    // The output pass comes last, so an output path holding a placeholder
    // text is inserted unchanged ...
    {"OutputHoldingPlaceholderStaysVerbatim", L"\"#outfilepath#\"", nullptr, L"in", L"", L"#outfilepath#.mp4",
     L"\"#outfilepath#.mp4\""},
    // ... while an input path holding "#outfilepath#" is expanded by the
    // later output pass.
    {"InputHoldingOutputPlaceholderIsExpandedLater", L"\"#orgfilepath#\"", nullptr, L"dir\\#outfilepath#.flv",
     L"", L"OUT", L"\"dir\\OUT.flv\""},
    // Within one pass the inserted text is not scanned again.
    {"InsertedTextNotRescannedInSamePass", L"#orgfilepath#", nullptr, L"#orgfilepath#x", L"", L"",
     L"#orgfilepath#x"},
    // "#orgfilepath#" is not a prefix of "#orgfilepath2#" (the closing '#'
    // differs), so the first pass leaves the second input's placeholder.
    {"FirstInputPassLeavesSecondPlaceholder", L"#orgfilepath2# #orgfilepath#", nullptr, L"A", L"B", L"",
     L"B A"},
    {"ToolPathWithPlaceholderTextSeenByLaterPass", L"#ffmpegpath#", nullptr, L"in", L"", L"", L"C:\\Corvane\\ffmpeg.exe"},
    {"NoPlaceholders", L"cmd.exe /c copy /b", L"mp4", L"a", L"b", L"c", L"cmd.exe /c copy /b"},
    {"AdjacentPlaceholders", L"#orgfilepath##outfilepath#", nullptr, L"a", L"", L"b", L"ab"},
};

INSTANTIATE_TEST_SUITE_P(Cases, SubstitutePlaceholdersTable, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SubstitutePlaceholders, LaterPassSeesTextFromEarlierPass) {
  // A first input that spells the file-type placeholder gets it replaced by
  // the file-type pass that follows.
  std::wstring command = L"#orgfilepath#";
  const std::wstring type = L"flv";
  SubstitutePlaceholders(command, L"t", &type, L"a.#filetype#", L"", L"o");
  EXPECT_EQ(command, L"a.flv");
}

}  // namespace
