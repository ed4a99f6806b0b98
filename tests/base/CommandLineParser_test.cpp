#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/CommandLineParser.h"

using namespace corvane;

namespace {

struct STokenCase {
  const char* name;
  std::wstring commandLine;
  std::vector<std::wstring> expected;
};

class TokeniseTable : public ::testing::TestWithParam<STokenCase> {};

TEST_P(TokeniseTable, GivesExpectedTokens) {
  EXPECT_EQ(CommandLineParser::Tokenise(GetParam().commandLine), GetParam().expected);
}

const STokenCase kTokenCases[] = {
    {"Empty", L"", {}},
    {"ProgramOnly", L"prog.exe", {L"prog.exe"}},
    {"QuotedProgramWithBlanks", L"\"C:\\Program Files\\C.exe\" a", {L"C:\\Program Files\\C.exe", L"a"}},
    {"UnclosedQuotedProgramGivesNothing", L"\"C:\\Program Files\\C.exe a b", {}},
    {"QuotedProgramFollowedDirectly", L"\"p\"x y", {L"p", L"x", L"y"}},
    {"BlanksAndTabsSkipped", L"p \t a\t\tb  ", {L"p", L"a", L"b"}},
    {"QuotedArgumentKeepsBlanks", L"p \"{#a#: 1}\" z", {L"p", L"{#a#: 1}", L"z"}},
    {"UnclosedQuotedArgumentRunsToEnd", L"p \"a b", {L"p", L"a b"}},
    {"QuoteInsideTokenIsOrdinary", L"p a\"b c\"", {L"p", L"a\"b", L"c\""}},
    {"EmptyQuotedArgument", L"p \"\" x", {L"p", L"", L"x"}},
    {"QuotesAreNotEscaped", L"p \"a\\\"b\"", {L"p", L"a\\", L"b\""}},
};

INSTANTIATE_TEST_SUITE_P(Cases, TokeniseTable, ::testing::ValuesIn(kTokenCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The joiner's own parser: one optional positional argument "1".
CommandLineParser MakeJoinerParser() {
  CommandLineParser parser(L"-/");
  parser.AddPositionalArgument({L"1", L"", /*optional=*/true, L""});
  return parser;
}

const std::wstring kJoinerUsage =
    L"Usage: prog [1]\r\n"
    L"\r\n"
    L"Arguments:\r\n"
    L"\t1\t= \r\n"
    L"\t\t  optional argument (default='')\r\n"
    L"\r\n"
    L"\r\n";

TEST(CommandLineParserJoiner, NoArgumentLeavesDefault) {
  CommandLineParser parser = MakeJoinerParser();
  EXPECT_TRUE(parser.Parse(L"prog"));
  EXPECT_EQ(parser.PositionalValue(L"1"), L"");
}

TEST(CommandLineParserJoiner, OneArgumentIsTheLaunchData) {
  CommandLineParser parser = MakeJoinerParser();
  EXPECT_TRUE(parser.Parse(L"\"C:\\x\\prog.exe\" \"{#OutputPath#:#c:\\\\o.mp4#}\""));
  EXPECT_EQ(parser.PositionalValue(L"1"), L"{#OutputPath#:#c:\\\\o.mp4#}");
}

TEST(CommandLineParserJoiner, SecondPlainTokenFailsButFirstIsKept) {
  CommandLineParser parser = MakeJoinerParser();
  EXPECT_FALSE(parser.Parse(L"prog first second"));
  EXPECT_EQ(parser.ErrorMessage(), L"prog error: Too much arguments. \r\n" + kJoinerUsage);
  EXPECT_EQ(parser.PositionalValue(L"1"), L"first");
}

TEST(CommandLineParserJoiner, UnknownOption) {
  CommandLineParser parser = MakeJoinerParser();
  EXPECT_FALSE(parser.Parse(L"prog /x"));
  EXPECT_EQ(parser.ErrorMessage(), L"prog error: Unknown option /x.\r\n" + kJoinerUsage);
}

TEST(CommandLineParserJoiner, UndeclaredNameGivesMarker) {
  CommandLineParser parser = MakeJoinerParser();
  parser.Parse(L"prog a");
  EXPECT_EQ(parser.PositionalValue(L"2"), L"<UnKnOwN>");
}

TEST(CommandLineParserJoiner, EmptyOrUnclosedCommandLineIsNotAnError) {
  CommandLineParser parser = MakeJoinerParser();
  EXPECT_TRUE(parser.Parse(L""));
  EXPECT_TRUE(parser.Parse(L"\"unclosed prog a b"));
  EXPECT_EQ(parser.PositionalValue(L"1"), L"");
}

// A parser with options of every kind, a required and an optional positional
// argument, a configured name and a closing description.
class CommandLineParserFull : public ::testing::Test {
 protected:
  CommandLineParserFull() : m_parser(L"-/", L"tool", L"Joins things.") {
    m_parser.AddOption(L'v', L"verbose");
    m_parser.AddOption(L'o', L"output", {{L"file", L"output file", false, L""}, {L"kind", L"kind", true, L"mp4"}});
    m_parser.AddPositionalArgument({L"in", L"input", false, L""});
    m_parser.AddPositionalArgument({L"extra", L"more", true, L"none"});
  }
  CommandLineParser m_parser;
};

const std::wstring kFullUsage =
    L"Usage: tool [-o file [kind]] [-v] in [extra]\r\n"
    L"\r\n"
    L"Options:\r\n"
    L"\t-o\t  output\r\n"
    L"\t file\t= output file\r\n"
    L"\t kind\t= kind\r\n"
    L"\t\t  optional argument (default='mp4')\r\n"
    L"\t-v\t  verbose\r\n"
    L"\r\n"
    L"Arguments:\r\n"
    L"\tin\t= input\r\n"
    L"\textra\t= more\r\n"
    L"\t\t  optional argument (default='none')\r\n"
    L"\r\n"
    L"Joins things.\r\n";

TEST_F(CommandLineParserFull, UsageTextByteForByte) { EXPECT_EQ(m_parser.UsageText(), kFullUsage); }

TEST_F(CommandLineParserFull, OptionsAndPositionals) {
  ASSERT_TRUE(m_parser.Parse(L"p.exe -v a.flv /o out.mp4 flv b"));
  EXPECT_TRUE(m_parser.HasOption(L'v'));
  EXPECT_EQ(m_parser.OptionValues(L'o'), (std::vector<std::wstring>{L"out.mp4", L"flv"}));
  EXPECT_EQ(m_parser.PositionalValue(L"in"), L"a.flv");
  EXPECT_EQ(m_parser.PositionalValue(L"extra"), L"b");
}

TEST_F(CommandLineParserFull, OptionArgumentsStopAtNextOption) {
  ASSERT_TRUE(m_parser.Parse(L"p -o out.mp4 -v in"));
  EXPECT_EQ(m_parser.OptionValues(L'o'), std::vector<std::wstring>{L"out.mp4"});
  EXPECT_EQ(m_parser.PositionalValue(L"in"), L"in");
  EXPECT_EQ(m_parser.PositionalValue(L"extra"), L"none");
}

TEST_F(CommandLineParserFull, ErrorMessagesByteForByte) {
  struct SCase {
    std::wstring commandLine, message;
  } cases[] = {
      {L"p -o", L"tool error: Too few arguments for option -o.\r\n"},
      {L"p -o -v in", L"tool error: Too few arguments for option -o.\r\n"},
      {L"p", L"tool error: Too few arguments.\r\n"},
      {L"p -v", L"tool error: Too few arguments.\r\n"},
      {L"p a b c", L"tool error: Too much arguments. \r\n"},
      {L"p -q a", L"tool error: Unknown option -q.\r\n"},
      {L"p a -", L"tool error: Unknown option -.\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(m_parser.Parse(c.commandLine)) << c.commandLine;
    EXPECT_EQ(m_parser.ErrorMessage(), c.message + kFullUsage) << c.commandLine;
  }
}

TEST(CommandLineParserNames, ProgramNameIsFirstTokenWhenNoneConfigured) {
  CommandLineParser parser(L"-");
  EXPECT_FALSE(parser.Parse(L"\"C:\\a b\\c.exe\" x"));
  EXPECT_EQ(parser.ErrorMessage(),
            L"C:\\a b\\c.exe error: Too much arguments. \r\nUsage: C:\\a b\\c.exe\r\n\r\n\r\n");
}

}  // namespace
