#include "updater/UpdaterData.h"

#include <gtest/gtest.h>

#include "ParamName.h"

using namespace corvane;

namespace {

struct SArgumentCase {
  const wchar_t* commandLine;
  const wchar_t* argument;
};

class CommandLineArgumentTable : public ::testing::TestWithParam<SArgumentCase> {};

TEST_P(CommandLineArgumentTable, FollowsTheTokenisingRules) {
  EXPECT_EQ(CommandLineArgument(GetParam().commandLine), GetParam().argument);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineArgumentTable,
    ::testing::Values(
        // The main program's form: a blank (empty program token), then the quoted record.
        SArgumentCase{L" \"{#A#:#b c#}\"", L"{#A#:#b c#}"},
        SArgumentCase{L"\"C:\\Program Files\\updater.exe\" \"{#A#:1}\"", L"{#A#:1}"},
        SArgumentCase{L"updater.exe\t {x} more", L"{x}"},
        // No escapes: a backslash before a quote is an ordinary character.
        SArgumentCase{L"u \"a\\\" b\"", L"a\\"},
        SArgumentCase{L"u \"unterminated text", L"unterminated text"},
        SArgumentCase{L"u -silent \"{#A#:1}\"", L""}, SArgumentCase{L"u /x {}", L""},
        SArgumentCase{L"u", L""}, SArgumentCase{L"", L""}, SArgumentCase{L"\"u\"   ", L""},
        SArgumentCase{L"\"C:\\updater.exe\"{x}", L"{x}"}),
    CASE_NAME_BY(commandLine));

TEST(ParseUpdaterRecord, ReadsMembersInAnyOrderAndIgnoresOthers) {
  SUpdaterRecord record;
  ASSERT_TRUE(ParseUpdaterRecord(
      L"{#LatestVersion#:#2.3#,#Unknown#:#x#,#DownloadUrl#:#http://h/p.zip?x=1#,#AppFileName#:#Corvane.exe#,"
      L"#TempFilePath#:#C:\\\\Temp\\\\#,#InstallerUrl#:#http://h/i.htm#,#AppMainWndClassName#:#Tavrel Video#,"
      L"#AppUserMsg#:#UWM_JoinDownload_IsMe#,#CurLangName#:#English#,#CurrentVersion#:#2.2#}",
      record));
  EXPECT_EQ(record.downloadUrl, L"http://h/p.zip?x=1");
  EXPECT_EQ(record.installerUrl, L"http://h/i.htm");
  EXPECT_EQ(record.appMainWndClassName, L"Tavrel Video");
  EXPECT_EQ(record.appUserMsg, L"UWM_JoinDownload_IsMe");
  EXPECT_EQ(record.appFileName, L"Corvane.exe");
  EXPECT_EQ(record.curLangName, L"English");
  EXPECT_EQ(record.tempFilePath, L"C:\\Temp\\");
  EXPECT_EQ(record.currentVersion, L"2.2");
  EXPECT_EQ(record.latestVersion, L"2.3");
  EXPECT_EQ(record.PackagePath(), L"C:\\Temp\\_newver.zip");
}

TEST(ParseUpdaterRecord, NonStringMembersReadEmpty) {
  SUpdaterRecord record;
  ASSERT_TRUE(ParseUpdaterRecord(L"{#DownloadUrl#:42,#InstallerUrl#:null,#AppFileName#:[#a#],#CurLangName#:#x#}",
                                 record));
  EXPECT_TRUE(record.downloadUrl.empty());
  EXPECT_TRUE(record.installerUrl.empty());
  EXPECT_TRUE(record.appFileName.empty());
  EXPECT_EQ(record.curLangName, L"x");
}

TEST(ParseUpdaterRecord, NonAsciiTextSurvives) {
  SUpdaterRecord record;
  ASSERT_TRUE(ParseUpdaterRecord(L"{#TempFilePath#:#C:\\\\Users\\\\J\u00f6rg\\\\#}", record));
  EXPECT_EQ(record.tempFilePath, L"C:\\Users\\J\u00f6rg\\");
}

TEST(ParseUpdaterRecord, NotAnObjectLeavesTheRecordEmpty) {
  for (const wchar_t* text : {L"[#DownloadUrl#]", L"#text#", L"{#DownloadUrl#:#a#", L"", L"garbage", L"42"}) {
    SUpdaterRecord record;
    record.downloadUrl = L"left over";
    EXPECT_FALSE(ParseUpdaterRecord(text, record)) << text;
    EXPECT_TRUE(record.downloadUrl.empty()) << text;
  }
}

TEST(CUpdaterData, ReadsTheRecordTheMainProgramWrites) {
  CUpdaterData data;
  ASSERT_TRUE(data.ReadCommandLine(L" \"{#DownloadUrl#:#a/b.zip?x=1#}\""));
  EXPECT_EQ(data.downloadUrl, L"a/b.zip?x=1");
  EXPECT_TRUE(data.installerUrl.empty());
  EXPECT_TRUE(data.appFileName.empty());
  EXPECT_TRUE(data.tempFilePath.empty());
}

TEST(CUpdaterData, MissingArgumentOrOptionGivesNoRecord) {
  CUpdaterData data;
  EXPECT_FALSE(data.ReadCommandLine(L"updater.exe"));
  EXPECT_FALSE(data.ReadCommandLine(L"updater.exe /S \"{#DownloadUrl#:#a#}\""));
  EXPECT_TRUE(data.downloadUrl.empty());
}

}  // namespace
