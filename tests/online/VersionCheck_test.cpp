#include "online/VersionCheck.h"

#include <gtest/gtest.h>

#include "base/F3DMemFile.h"
#include "base/IniReader.h"
#include "online/ServerHosts.h"
#include "online/VersionCompare.h"

using namespace corvane;

namespace {

const std::wstring kOwn = L"v2.2";

CIniReader ReaderOf(const std::string& text) {
  auto file = std::make_unique<CF3DMemFile>(64);
  file->Write(text.data(), static_cast<uint32_t>(text.size()));
  CIniReader reader;
  EXPECT_TRUE(reader.Attach(std::move(file)));
  return reader;
}

EVersionAction Decide(const std::string& file, const std::wstring& own = kOwn, SReminderChoice reminder = {}) {
  return DecideVersionAction(own, ReadVersionInfo(ReaderOf(file), own), reminder);
}

}  // namespace

TEST(CompareVersions, ComparesDottedNumbersNumerically) {
  EXPECT_GT(CompareVersions(L"v2.10", L"v2.9"), 0);
  EXPECT_LT(CompareVersions(L"v2.9", L"v2.10"), 0);
  EXPECT_EQ(CompareVersions(L"v2.2", L"2.2.0"), 0);  // "v" ignored, missing part 0
  EXPECT_LT(CompareVersions(L"v2.2", L"V2.2.1"), 0);
  EXPECT_EQ(CompareVersions(L"v2.2", L"2.02"), 0);
  // Not versions: equal to anything, so nothing is offered.
  for (const wchar_t* junk : {L"", L"v", L"beta", L"2..1", L"2.1.", L"2.1b", L"v99999999999999999999"}) {
    EXPECT_EQ(CompareVersions(L"v2.2", junk), 0) << junk;
    EXPECT_EQ(CompareVersions(junk, L"v0.1"), 0) << junk;
  }
}

TEST(VersionDecision, OffersOnlyANewerLatestVersion) {
  EXPECT_EQ(Decide("[main]\nversion=v2.2\n"), EVersionAction::kNothing);
  EXPECT_EQ(Decide("[main]\nversion=v2.3\n"), EVersionAction::kOfferUpdate);
  EXPECT_EQ(Decide("[main]\nversion=v2.1\n"), EVersionAction::kNothing);
  // Compared as numbers both ways: a string comparison gets both wrong.
  EXPECT_EQ(Decide("[main]\nversion=v2.10\n", L"v2.9"), EVersionAction::kOfferUpdate);
  EXPECT_EQ(Decide("[main]\nversion=v2.9\n", L"v2.10"), EVersionAction::kNothing);
  EXPECT_EQ(Decide("[main]\nlastversion=v2.9\nversion=v2.9\n", L"v2.10"), EVersionAction::kNothing);
  EXPECT_EQ(Decide("[main]\nversion=v9.9 \r\n"), EVersionAction::kOfferUpdate);
  EXPECT_EQ(Decide("[main]\nversion=soon\n"), EVersionAction::kNothing);
}

TEST(VersionDecision, MinimumVersionWinsOverLatestAndNamesMatchInAnyCase) {
  EXPECT_EQ(Decide("[main]\nlastversion=v2.3\nversion=v2.4\n"), EVersionAction::kShowTipPage);
  EXPECT_EQ(Decide("[MAIN]\nVersion=v2.3\n"), EVersionAction::kOfferUpdate);
  EXPECT_EQ(Decide("[Main]\nLASTVERSION=v3\n"), EVersionAction::kShowTipPage);
  // Without section "main" every key has its default: nothing happens.
  EXPECT_EQ(Decide("[other]\nversion=v9\nlastversion=v9\n"), EVersionAction::kNothing);
  EXPECT_EQ(Decide("<html>404 Not Found</html>"), EVersionAction::kNothing);
}

TEST(VersionDecision, DontRemindMeAgainHoldsForTheDismissedVersionOnly) {
  SReminderChoice reminder;
  ApplyReminderChoice(/*ticked=*/true, L"v2.3", reminder);
  EXPECT_EQ(reminder.sysFlags & 0x2, 0x2);
  EXPECT_EQ(Decide("[main]\nversion=v2.3\n", kOwn, reminder), EVersionAction::kNothing);
  EXPECT_EQ(Decide("[main]\nversion=v2.4\n", kOwn, reminder), EVersionAction::kOfferUpdate);
  // The tip page is never held back.
  EXPECT_EQ(Decide("[main]\nlastversion=v2.3\nversion=v2.3\n", kOwn, reminder), EVersionAction::kShowTipPage);
  // The bit alone (as written by older versions) dismisses nothing.
  EXPECT_EQ(Decide("[main]\nversion=v2.3\n", kOwn, SReminderChoice{0x2, L""}), EVersionAction::kOfferUpdate);

  reminder.sysFlags |= 0x10;
  ApplyReminderChoice(/*ticked=*/false, L"v2.3", reminder);
  EXPECT_EQ(reminder.sysFlags, 0x10);  // other flags untouched
  EXPECT_EQ(Decide("[main]\nversion=v2.3\n", kOwn, reminder), EVersionAction::kOfferUpdate);
}

TEST(VersionInfo, DefaultsAndRefusedAddresses) {
  const std::wstring page = VendorServerRoot() + L"/soft.php?type=joiner";
  const SVersionInfo bare = ReadVersionInfo(ReaderOf("[main]\nversion=v9.9\n"), kOwn);
  EXPECT_EQ(bare.releaseDate, L"Aug  8 2015");
  EXPECT_EQ(bare.downloadUrl, page);
  EXPECT_EQ(bare.installerUrl, page);
  EXPECT_EQ(bare.tipUrl, page);
  EXPECT_EQ(bare.lastVersion, kOwn);
  EXPECT_TRUE(bare.sha256.empty());
  EXPECT_TRUE(bare.signature.empty());

  const SVersionInfo info = ReadVersionInfo(
      ReaderOf("[main]\ndownloadurl = HTTPS://dl.example/p.zip\ninstallerurl=file:///C:/evil.exe\n"
               "tipurl=javascript:alert(1)\nreleasedate=Sep  1 2016\n"
               "sha256=ABCDEF0123456789abcdef0123456789ABCDEF0123456789abcdef0123456789\n"
               "signature =  MEUCIQD+/x9a== \n"),
      kOwn);
  EXPECT_EQ(info.downloadUrl, L"HTTPS://dl.example/p.zip");
  EXPECT_EQ(info.installerUrl, page);
  EXPECT_EQ(info.tipUrl, page);
  EXPECT_EQ(info.releaseDate, L"Sep  1 2016");
  EXPECT_EQ(info.sha256, L"abcdef0123456789abcdef0123456789abcdef0123456789abcdef0123456789");
  EXPECT_EQ(info.signature, L"MEUCIQD+/x9a==");
  EXPECT_TRUE(ReadVersionInfo(ReaderOf("[main]\nsha256=abc\n"), kOwn).sha256.empty());
  EXPECT_EQ(ReadVersionInfo(ReaderOf("[main]\ndownloadurl=http://\n"), kOwn).downloadUrl, page);
}

TEST(UpdateUrl, StoredAddressOnlyWhenItIsAUrlOfAKnownScheme) {
  const std::wstring fallback = VendorServerRoot() + L"/soft/corvanever.php?lang=German&ver=v2.2";
  EXPECT_EQ(BuildUpdateUrl(L"abc", L"German", kOwn), fallback);
  EXPECT_EQ(BuildUpdateUrl(L"", L"German", kOwn), fallback);
  EXPECT_EQ(BuildUpdateUrl(L"gopher://h/x", L"German", kOwn), fallback);
  EXPECT_EQ(BuildUpdateUrl(L"http://127.0.0.1:8080/v.ini", L"German", kOwn), L"http://127.0.0.1:8080/v.ini");
  EXPECT_EQ(BuildUpdateUrl(L"ftp://files.example/v.ini", L"German", kOwn), L"ftp://files.example/v.ini");
  // Inserted as they are, without escaping.
  EXPECT_EQ(BuildUpdateUrl(L"", L"Chinese Simplified", kOwn),
            VendorServerRoot() + L"/soft/corvanever.php?lang=Chinese Simplified&ver=v2.2");
}

TEST(ReleaseDate, CompilerDateBecomesMonthDayYear) {
  EXPECT_EQ(FormatReleaseDate(kProgramReleaseDate), L"08-07-2015");
  EXPECT_EQ(FormatReleaseDate(L"Dec 31 1999"), L"12-31-1999");
  EXPECT_EQ(FormatReleaseDate(L"Foo  7 2015"), L"Foo  7 2015");
  EXPECT_EQ(FormatReleaseDate(L"Aug"), L"Aug");
  EXPECT_EQ(FormatReleaseDate(L""), L"");
}
