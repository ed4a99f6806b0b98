#include "updater/HandOffCheck.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

SUpdaterRecord GoodRecord() {
  SUpdaterRecord record;
  record.downloadUrl = L"https://updates.example/pkg.zip?v=2";
  record.installerUrl = L"HTTP://updates.example/install.htm";
  record.appFileName = L"Corvane.exe";
  record.tempFilePath = L"C:\\Users\\u\\AppData\\Roaming\\Corvane(tavrel)\\appdata\\";
  return record;
}

const std::wstring kFallback = L"C:\\fallback\\appdata\\";

TEST(CheckHandOffRecord, AGoodRecordPassesUnchanged) {
  SUpdaterRecord record = GoodRecord();
  EXPECT_TRUE(CheckHandOffRecord(record, kFallback).empty());
  EXPECT_EQ(record.downloadUrl, GoodRecord().downloadUrl);
  EXPECT_EQ(record.installerUrl, GoodRecord().installerUrl);
  EXPECT_EQ(record.appFileName, L"Corvane.exe");
  EXPECT_EQ(record.tempFilePath, GoodRecord().tempFilePath);
}

TEST(CheckHandOffRecord, AddressesThatAreNoWebAddressesAreDroppedAndLogged) {
  for (const wchar_t* url : {L"C:\\Windows\\System32\\calc.exe", L"file:///C:/x.exe", L"\\\\server\\share\\x.exe",
                             L"javascript:alert(1)", L"http:/x", L"https://", L"http://host/a b",
                             L"http://host/\" --injected", L"ftp://host/pkg.zip", L"shell:startup"}) {
    SUpdaterRecord record = GoodRecord();
    record.downloadUrl = url;
    record.installerUrl = url;
    const auto refusals = CheckHandOffRecord(record, kFallback);
    EXPECT_EQ(record.downloadUrl, L"") << url;
    EXPECT_EQ(record.installerUrl, L"") << url;
    ASSERT_EQ(refusals.size(), 2u) << url;
    EXPECT_NE(refusals[0].find(url), std::wstring::npos);
  }
}

TEST(CheckHandOffRecord, OnlyABareProgramNameStaysToBeStarted) {
  for (const wchar_t* name : {L"..\\x.exe", L"sub\\Corvane.exe", L"C:\\x.exe", L"C:x.exe", L"/x.exe",
                              L"Corvane.exe:stream", L"Corvane.com", L"Corvane.exe.txt", L"CON.exe", L".exe",
                              L"Corvane.bat", L"a?.exe"}) {
    SUpdaterRecord record = GoodRecord();
    record.appFileName = name;
    EXPECT_EQ(CheckHandOffRecord(record, kFallback).size(), 1u) << name;
    EXPECT_EQ(record.appFileName, L"") << name;
  }
  SUpdaterRecord record = GoodRecord();
  record.appFileName = L"My Joiner 2.EXE";
  EXPECT_TRUE(CheckHandOffRecord(record, kFallback).empty());
  EXPECT_EQ(record.appFileName, L"My Joiner 2.EXE");
}

TEST(CheckHandOffRecord, TempFolderMustBeAbsolute) {
  for (const wchar_t* folder : {L"", L"temp\\", L"..\\", L"\\temp\\", L"C:temp\\", L"\\\\\\x\\"}) {
    SUpdaterRecord record = GoodRecord();
    record.tempFilePath = folder;
    EXPECT_EQ(CheckHandOffRecord(record, kFallback).size(), 1u) << folder;
    EXPECT_EQ(record.tempFilePath, kFallback) << folder;
    EXPECT_EQ(record.PackagePath(), kFallback + L"_newver.zip");
  }
  SUpdaterRecord record = GoodRecord();
  record.tempFilePath = L"\\\\server\\share\\t";
  EXPECT_TRUE(CheckHandOffRecord(record, kFallback).empty());
  EXPECT_EQ(record.PackagePath(), L"\\\\server\\share\\t\\_newver.zip");
}

}  // namespace
