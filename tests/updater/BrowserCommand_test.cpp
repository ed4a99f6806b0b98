#include "updater/BrowserCommand.h"

#include <gtest/gtest.h>

#include "ParamName.h"

using namespace corvane;

namespace {

struct SCommandCase {
  const wchar_t* registered;
  const wchar_t* expected;
};

class BrowserCommandTable : public ::testing::TestWithParam<SCommandCase> {};

TEST_P(BrowserCommandTable, ReplacesThePlaceholderAndWhatFollowsByTheUrl) {
  EXPECT_EQ(BrowserCommandLine(GetParam().registered, L"http://h/i.htm?a=1"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, BrowserCommandTable,
    ::testing::Values(
        SCommandCase{L"\"C:\\Browser\\b.exe\" -nohome \"%1\"", L"\"C:\\Browser\\b.exe\" -nohome  \"http://h/i.htm?a=1\""},
        SCommandCase{L"C:\\b.exe %1", L"C:\\b.exe  \"http://h/i.htm?a=1\""},
        // A quoted placeholder later in the line wins over a bare one before it.
        SCommandCase{L"b.exe %1x \"%1\" tail", L"b.exe %1x  \"http://h/i.htm?a=1\""},
        SCommandCase{L"b.exe -url", L"b.exe -url \"http://h/i.htm?a=1\""},
        SCommandCase{L"", L" \"http://h/i.htm?a=1\""}),
    CASE_NAME_BY(registered));

TEST(BrowserCommandLine, UrlStaysOneArgument) {
  // Blanks and quotes cannot end the quoted URL and start arguments of their own.
  EXPECT_EQ(BrowserCommandLine(L"b.exe \"%1\"", L"http://h/a b\" -evil"), L"b.exe  \"http://h/a%20b%22%20-evil\"");
}

}  // namespace
