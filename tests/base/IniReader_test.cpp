#include "base/IniReader.h"

#include <gtest/gtest.h>

#include "base/F3DMemFile.h"
#include "base/F3DTestFiles.h"

using namespace corvane;

namespace {

const std::string kUtf8Mark = "\xEF\xBB\xBF";

// A reader over a memory copy of `text`.
CIniReader ReaderOf(const std::string& text) {
  auto file = std::make_unique<CF3DMemFile>(64);
  file->Write(text.data(), static_cast<uint32_t>(text.size()));
  CIniReader reader;
  EXPECT_TRUE(reader.Attach(std::move(file)));
  return reader;
}

}  // namespace

TEST(IniReader, FindsKeysInTheirSection) {
  const CIniReader ini = ReaderOf(
      "[other]\nver=0\n"
      "[main]\r\nver=2.2.0.1\r\nurl = http://example.invalid/a?b=c\r\n"
      "[last]\nver=9\n");
  EXPECT_EQ(ini.GetString(L"main", L"ver", L"-"), L"2.2.0.1");
  EXPECT_EQ(ini.GetString(L"main", L"url", L"-"), L" http://example.invalid/a?b=c");
  EXPECT_EQ(ini.GetString(L"other", L"ver", L"-"), L"0");
  EXPECT_EQ(ini.GetString(L"last", L"ver", L"-"), L"9");
}

TEST(IniReader, MissingSectionKeyOrFileGivesTheDefault) {
  const CIniReader ini = ReaderOf("[main]\nver=1\n[next]\nlate=2\n");
  EXPECT_EQ(ini.GetString(L"absent", L"ver", L"def"), L"def");
  EXPECT_EQ(ini.GetString(L"main", L"absent", L"def"), L"def");
  // A key of the following section does not belong to this one.
  EXPECT_EQ(ini.GetString(L"main", L"late", L"def"), L"def");
  CIniReader closed;
  EXPECT_EQ(closed.GetString(L"main", L"ver", L"def"), L"def");
  EXPECT_TRUE(closed.ReadSection(L"main").empty());
}

TEST(IniReader, SectionAndKeyMatchWithoutRegardToCaseAndBlanks) {
  const CIniReader ini = ReaderOf("  \t[ \tMAIN  ]  ; comment\n  VerSion \t= 5\n");
  EXPECT_EQ(ini.GetString(L"main", L"version", L"-"), L" 5");
  EXPECT_EQ(ini.GetString(L"Main", L"VERSION", L"-"), L" 5");
}

TEST(IniReader, KeyIsComparedOverItsWholeLengthOnly) {
  const CIniReader ini = ReaderOf("[s]\nversion=long\nver=short\n");
  EXPECT_EQ(ini.GetString(L"s", L"ver", L"-"), L"short");
  EXPECT_EQ(ini.GetString(L"s", L"versio", L"-"), L"-");
}

TEST(IniReader, Utf8MarkSelectsUtf8AndIsSkipped) {
  const CIniReader withMark = ReaderOf(kUtf8Mark + "[main]\nname=Gr\xC3\xBC\xC3\x9F\x65\n");
  EXPECT_TRUE(withMark.IsUtf8());
  EXPECT_EQ(withMark.GetString(L"main", L"name", L"-"), L"Gr\u00fc\u00dfe");
}

TEST(IniReader, Utf8WithoutMarkIsReadAsAnsi) {
  const CIniReader noMark = ReaderOf("[main]\nname=abc\n");
  EXPECT_FALSE(noMark.IsUtf8());
  EXPECT_EQ(noMark.GetString(L"main", L"name", L"-"), L"abc");
  // The first line is a header even without a mark in front of it.
  const CIniReader shortFile = ReaderOf("[a");
  EXPECT_EQ(shortFile.GetString(L"a", L"b", L"-"), L"-");
}

TEST(IniReader, LineOf1023BytesIsTheLongestThatReads) {
  // "k=" and 1021 characters make 1023 bytes: the whole value comes back.
  const CIniReader fits = ReaderOf("[s]\nk=" + std::string(1021, 'v') + "\n");
  EXPECT_EQ(fits.GetString(L"s", L"k", L"-"), std::wstring(1021, L'v'));
  // One byte more and the reading ends: the default comes back.
  const CIniReader tooLong = ReaderOf("[s]\nk=" + std::string(1022, 'v') + "\n");
  EXPECT_EQ(tooLong.GetString(L"s", L"k", L"-"), L"-");
}

TEST(IniReader, OverlongLineEndsTheReading) {
  const CIniReader ini = ReaderOf("[a]\nx=1\n" + std::string(2000, 'z') + "\n[b]\ny=2\n");
  EXPECT_EQ(ini.GetString(L"a", L"x", L"-"), L"1");
  EXPECT_EQ(ini.GetString(L"b", L"y", L"-"), L"-");
}

TEST(IniReader, LastLineWithoutLineFeedCounts) {
  const CIniReader ini = ReaderOf("[a]\nx=end");
  EXPECT_EQ(ini.GetString(L"a", L"x", L"-"), L"end");
}

TEST(IniReader, ReadSectionTrimsAndTurnsBackslashNIntoLineFeeds) {
  const CIniReader ini = ReaderOf(
      "[News]\n"
      "  title =  Hello\\nWorld  \r\n"
      "no equals sign here\n"
      "link=http://x.invalid/?a=b\n"
      "[Other]\nz=1\n");
  const IniPairs pairs = ini.ReadSection(L"news");
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(pairs[0].first, L"title");
  EXPECT_EQ(pairs[0].second, L"Hello\nWorld");
  EXPECT_EQ(pairs[1].first, L"link");
  EXPECT_EQ(pairs[1].second, L"http://x.invalid/?a=b");
  // GetString leaves the two characters as they are.
  EXPECT_EQ(ini.GetString(L"News", L"title", L"-"), L"  Hello\\nWorld  ");
  EXPECT_TRUE(ini.ReadSection(L"missing").empty());
}

TEST(IniReader, RepeatedLookupsStartAfreshEachTime) {
  const CIniReader ini = ReaderOf(kUtf8Mark + "[a]\nk=1\n[b]\nk=2\n");
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(ini.GetString(L"b", L"k", L"-"), L"2");
    EXPECT_EQ(ini.GetString(L"a", L"k", L"-"), L"1");
  }
}

TEST(IniReader, OpensRealFilesAndReportsMissingOnes) {
  corvane::testing::CScratchFolder folder;
  const std::wstring path = folder.PathOf(L"Domain.ini");
  corvane::testing::WriteWholeFile(path, kUtf8Mark + "[main]\nhome=x\n");
  CIniReader ini;
  ASSERT_TRUE(ini.Open(path));
  EXPECT_EQ(ini.GetString(L"main", L"home", L"-"), L"x");
  CIniReader missing;
  EXPECT_FALSE(missing.Open(folder.PathOf(L"none.ini")));
  EXPECT_EQ(missing.GetString(L"main", L"home", L"-"), L"-");
}
