#include "online/HandOffRecord.h"

#include <gtest/gtest.h>

#include "updater/UpdaterData.h"

using namespace corvane;

namespace {

SHandOffRecord FullRecord() {
  SHandOffRecord record;
  record.downloadUrl = L"http://dl.example/p.zip?a=1&b=2";
  record.appMainWndClassName = L"Tavrel Video";
  record.appUserMsg = L"UWM_JoinDownload_IsMe";
  record.appFileName = L"Corvane.exe";
  record.curLangName = L"Fran\u00e7ais";
  // "#" is the record's quote: a value's own "#" must come back as it was.
  record.tempFilePath = L"C:\\Users\\J\u00f6rg #2\\AppData\\Tavrel\\appdata\\";
  record.installerUrl = L"https://dl.example/setup.exe#top";
  record.currentVersion = L"v2.2";
  record.latestVersion = L"v2.10";
  return record;
}

}  // namespace

TEST(HandOffRecord, OneMemberShowsTheQuotingWhole) {
  EXPECT_EQ(HandOffCommandLineOf("{\"DownloadUrl\":\"a\"}"), L" \"{#DownloadUrl#:#a#}\"");
}

TEST(HandOffRecord, NineMembersInOrderCompactThenTheDigestAndTheSignature) {
  SHandOffRecord record;
  record.downloadUrl = L"d";
  record.installerUrl = L"i";
  record.appMainWndClassName = L"c";
  record.appUserMsg = L"m";
  record.appFileName = L"f";
  record.curLangName = L"l";
  record.tempFilePath = L"t\\";
  record.currentVersion = L"v1";
  record.latestVersion = L"v2";
  EXPECT_EQ(BuildHandOffCommandLine(record),
            L" \"{#DownloadUrl#:#d#,#InstallerUrl#:#i#,#AppMainWndClassName#:#c#,#AppUserMsg#:#m#,"
            L"#AppFileName#:#f#,#CurLangName#:#l#,#TempFilePath#:#t\\\\#,#CurrentVersion#:#v1#,"
            L"#LatestVersion#:#v2#,#PackageSignature#:##}\"");
  record.packageSha256 = L"00ff";
  record.packageSignature = L"MEUC+/==";
  const std::wstring withDigest = BuildHandOffCommandLine(record);
  EXPECT_NE(withDigest.find(L"#LatestVersion#:#v2#,#PackageSha256#:#00ff#,#PackageSignature#:#MEUC+/==#}"),
            std::wstring::npos)
      << withDigest;
}

// Whatever the joiner writes, the updater must read back unchanged.
TEST(HandOffRecord, UpdaterReadsBackEveryMember) {
  SHandOffRecord written = FullRecord();
  written.packageSha256 = std::wstring(64, L'a');
  written.packageSignature =
      L"MEYCIQDThbykh99/toaR3ZKyo4keE1g0q+D2ryipK1J2UXTMoQIhAJdYhyJVP6Hp4qZCnhfxg3T5Xuxu3OfiA2RHJDIobT10";
  const std::wstring commandLine = L"\"C:\\Program Files\\Tavrel\\updater.exe\"" + BuildHandOffCommandLine(written);
  SUpdaterRecord read;
  ASSERT_TRUE(ParseUpdaterRecord(CommandLineArgument(commandLine), read)) << commandLine;
  EXPECT_EQ(read.downloadUrl, written.downloadUrl);
  EXPECT_EQ(read.installerUrl, written.installerUrl);
  EXPECT_EQ(read.appMainWndClassName, written.appMainWndClassName);
  EXPECT_EQ(read.appUserMsg, written.appUserMsg);
  EXPECT_EQ(read.appFileName, written.appFileName);
  EXPECT_EQ(read.curLangName, written.curLangName);
  EXPECT_EQ(read.tempFilePath, written.tempFilePath);
  EXPECT_EQ(read.currentVersion, written.currentVersion);
  EXPECT_EQ(read.latestVersion, written.latestVersion);
  EXPECT_EQ(read.packageSha256, written.packageSha256);
  EXPECT_EQ(read.packageSignature, written.packageSignature);

  SUpdaterRecord withoutDigest;
  ASSERT_TRUE(ParseUpdaterRecord(CommandLineArgument(L"u.exe" + BuildHandOffCommandLine(FullRecord())), withoutDigest));
  EXPECT_TRUE(withoutDigest.packageSha256.empty());
}
