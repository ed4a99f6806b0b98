// The store's operation rules (on the in-memory store, which the native
// file store builds on) and the joiner's settings object over a store.
#include <gtest/gtest.h>

#include "settings/ConverterPreference.h"
#include "settings/PreferenceFileFormat.h"
#include "settings/PreferenceTable.h"

namespace corvane {
namespace {

class MemoryStore : public ::testing::Test {
 protected:
  CMemoryPreference store;
};

TEST_F(MemoryStore, MissingValuesGiveDefaults) {
  EXPECT_EQ(store.GetString(L"Config", L"SaveTo", L"c:\\VideoOutput"), L"c:\\VideoOutput");
  EXPECT_EQ(store.GetInt(L"Config", L"RunCount", 7), 7);
  TByteVector out = {9};
  EXPECT_FALSE(store.GetBinary(L"Downloaded", L"ColumnsInfo", out));
  EXPECT_EQ(out, TByteVector{9});
}

TEST_F(MemoryStore, StringStoredEmptyGivesDefault) {
  ASSERT_TRUE(store.WriteString(L"Config", L"SaveTo", L""));
  EXPECT_EQ(store.GetString(L"Config", L"SaveTo", L"c:\\VideoOutput"), L"c:\\VideoOutput");
}

TEST_F(MemoryStore, TextReadAsIntegerFollowsByteRule) {
  ASSERT_TRUE(store.WriteString(L"Config", L"SysFlags", L"1"));
  EXPECT_EQ(store.GetInt(L"Config", L"SysFlags", 0), 0x31);
  ASSERT_TRUE(store.WriteString(L"Config", L"SysFlags", L"10"));
  EXPECT_EQ(store.GetInt(L"Config", L"SysFlags", 0), 0);
}

TEST_F(MemoryStore, NamesCompareWithoutCaseAndKeepFirstSpelling) {
  ASSERT_TRUE(store.WriteInt(L"Config", L"RunCount", 3));
  ASSERT_TRUE(store.WriteInt(L"CONFIG", L"runcount", 4));
  EXPECT_EQ(store.GetInt(L"config", L"RUNCOUNT", 0), 4);
  ASSERT_EQ(store.Table().Sections().size(), 1u);
  EXPECT_EQ(store.Table().Sections().begin()->first, L"Config");
  EXPECT_EQ(store.Table().Sections().begin()->second.begin()->first, L"RunCount");
}

TEST_F(MemoryStore, WriteStringWithoutValueDeletesValueWithoutKeyDeletesSection) {
  store.WriteString(L"Config", L"SaveTo", L"x");
  store.WriteInt(L"Config", L"RunCount", 1);
  store.WriteInt(L"Settings", L"BaseViewFlags", 1);
  ASSERT_TRUE(store.WriteString(L"Config", L"SaveTo", nullptr));
  EXPECT_EQ(store.GetString(L"Config", L"SaveTo", L"gone"), L"gone");
  EXPECT_EQ(store.GetInt(L"Config", L"RunCount", 0), 1);
  EXPECT_FALSE(store.WriteString(L"Config", L"SaveTo", nullptr)) << "nothing left to delete";

  ASSERT_TRUE(store.WriteString(L"Config", nullptr, nullptr));
  EXPECT_FALSE(store.Table().HasSection(L"Config"));
  EXPECT_EQ(store.GetInt(L"Config", L"RunCount", -5), -5);
  EXPECT_EQ(store.GetInt(L"Settings", L"BaseViewFlags", 0), 1) << "other sections stay";
}

TEST_F(MemoryStore, BinaryRoundTripAndEmptyValueLeavesVectorAlone) {
  const TByteVector bytes = {0, 1, 2, 255};
  ASSERT_TRUE(store.WriteBinary(L"S", L"B", bytes));
  TByteVector out;
  ASSERT_TRUE(store.GetBinary(L"S", L"B", out));
  EXPECT_EQ(out, bytes);

  ASSERT_TRUE(store.WriteBinary(L"S", L"E", TByteVector{}));
  out = {7};
  EXPECT_TRUE(store.GetBinary(L"S", L"E", out));
  EXPECT_EQ(out, TByteVector{7});
  EXPECT_FALSE(store.WriteBinary(L"S", L"Bad", nullptr, 3));
}

TEST(PreferenceFileFormat, RoundTripsAllTypesAndAwkwardNames) {
  CPreferenceTable table;
  table.Put(L"Config", L"SaveTo", {EPreferenceValueType::kString, EncodeStringValue(L"c:\\V=[x]%\n\u00fc")});
  table.Put(L"Config", L"RunCount", {EPreferenceValueType::kDword, EncodeIntValue(-2)});
  table.Put(L"Sec]=[", L"k=e%y\r", {EPreferenceValueType::kBinary, {0, 0xAB, 0x10}});
  table.Put(L"Downloaded", L"Empty", {EPreferenceValueType::kBinary, {}});
  table.Sections()[L"EmptySection"];
  const CPreferenceTable back = ParsePreferenceFile(FormatPreferenceFile(table));
  ASSERT_EQ(back.Sections().size(), table.Sections().size());
  for (const auto& [section, values] : table.Sections()) {
    auto it = back.Sections().find(section);
    ASSERT_NE(it, back.Sections().end()) << FormatPreferenceFile(table);
    ASSERT_EQ(it->second.size(), values.size());
    for (const auto& [key, value] : values) {
      auto v = it->second.find(key);
      ASSERT_NE(v, it->second.end());
      EXPECT_EQ(v->second.type, value.type);
      EXPECT_EQ(v->second.bytes, value.bytes);
    }
  }
}

// Found by fuzzing: a name starting with ';' was written as it stands, so
// its line read back as a comment and the value was lost on the next load.
TEST(PreferenceFileFormat, NameStartingWithSemicolonIsNotReadBackAsAComment) {
  CPreferenceTable table;
  table.Put(L"Config", L";Name", {EPreferenceValueType::kString, EncodeStringValue(L";text")});
  table.Put(L";Section", L"Key", {EPreferenceValueType::kDword, EncodeIntValue(3)});
  const CPreferenceTable back = ParsePreferenceFile(FormatPreferenceFile(table));
  EXPECT_EQ(StringOrDefault(back.Find(L"Config", L";Name"), L"lost"), L";text");
  EXPECT_EQ(IntOrDefault(back.Find(L";Section", L"Key"), 0), 3);
  // Files written before keep reading: a ';' inside a name or text needs no escape.
  EXPECT_EQ(StringOrDefault(ParsePreferenceFile("[Config]\nA;b=sz:x;y\n").Find(L"Config", L"A;b"), L""), L"x;y");
}

TEST(PreferenceFileFormat, DamagedLinesAreSkippedOthersKept) {
  const std::string text =
      "orphan=dword:1\n"
      "[Config]\r\n"
      "RunCount=dword:12\r\n"
      "Bad1=dword:12x\n"
      "Bad2=binary:ABC\n"
      "Bad3=qword:1\n"
      "no equals sign\n"
      "SaveTo=sz:d:\\out\n"
      "Big=dword:4294967295\n";
  CPreferenceTable table = ParsePreferenceFile(text);
  ASSERT_EQ(table.Sections().size(), 1u);
  EXPECT_EQ(table.Sections().begin()->second.size(), 3u);
  EXPECT_EQ(IntOrDefault(table.Find(L"Config", L"RunCount"), 0), 12);
  EXPECT_EQ(IntOrDefault(table.Find(L"Config", L"Big"), 0), -1);
  EXPECT_EQ(StringOrDefault(table.Find(L"Config", L"SaveTo"), L""), L"d:\\out");
}

// The joiner's settings object over an in-memory store.
class ConverterSettings : public ::testing::Test {
 protected:
  CMemoryPreference store;
};

TEST_F(ConverterSettings, FreshUserGetsDefaultsAndExitWritesThem) {
  {
    CConverterPreference prefs(&store);
    EXPECT_EQ(prefs.OutputFolder(), L"c:\\VideoOutput");
    EXPECT_EQ(prefs.RunCount(), 0);
    EXPECT_EQ(prefs.BaseViewFlags(), 4096);
    EXPECT_EQ(prefs.SysFlags(), 0);
    EXPECT_TRUE(prefs.ColumnLayout().empty());
  }
  EXPECT_EQ(store.GetInt(L"Config", L"RunCount", -1), 0);
  EXPECT_EQ(store.GetInt(L"Settings", L"BaseViewFlags", -1), 4096);
  EXPECT_EQ(store.GetString(L"Config", L"SaveTo", L""), L"c:\\VideoOutput");
  TByteVector columns;
  ASSERT_TRUE(store.GetBinary(L"Downloaded", L"ColumnsInfo", columns));
  EXPECT_EQ(columns, (TByteVector{0, 0, 0, 0}));
  EXPECT_EQ(store.GetInt(L"Config", L"SysFlags", -1), 0);
}

TEST_F(ConverterSettings, StoredValuesLoadAndChangesReachStoreOnlyAtExit) {
  store.WriteInt(L"Config", L"RunCount", 12);
  store.WriteInt(L"Settings", L"BaseViewFlags", 1);
  store.WriteString(L"Config", L"SysFlags", L"1");
  store.WriteString(L"Config", L"SaveTo", L"d:\\joined");
  store.WriteBinary(L"Downloaded", L"ColumnsInfo", EncodeColumnsInfo({{1, 100, 1}, {0, 50, 0}}));
  {
    CConverterPreference prefs(&store);
    EXPECT_EQ(prefs.RunCount(), 12);
    EXPECT_EQ(prefs.BaseViewFlags(), 1);
    EXPECT_EQ(prefs.SysFlags(), 0x31);
    EXPECT_EQ(prefs.OutputFolder(), L"d:\\joined");
    EXPECT_EQ(prefs.ColumnLayout(), (TColumnLayout{{1, 100, 1}, {0, 50, 0}}));
    prefs.SetOutputFolder(L"e:\\new");
    prefs.SysFlags() |= CConverterPreference::kSysFlagNoNewVersionReminder;
    prefs.SetDismissedVersion(L"v2.10");
    prefs.ColumnLayout() = {{0, 80, 1}, {1, 90, 1}, {2, 70, 0}};
    EXPECT_EQ(store.GetString(L"Config", L"SaveTo", L""), L"d:\\joined");
  }
  EXPECT_EQ(store.GetString(L"Config", L"SaveTo", L""), L"e:\\new");
  TByteVector columns;
  ASSERT_TRUE(store.GetBinary(L"Downloaded", L"ColumnsInfo", columns));
  EXPECT_EQ(columns.size(), 31u);
  EXPECT_EQ(store.GetInt(L"Config", L"RunCount", -1), 12);
  // The reminder choice survives the run (the text "1" read as 0x31, plus bit 0x2).
  EXPECT_EQ(store.GetInt(L"Config", L"SysFlags", -1), 0x33);
  EXPECT_EQ(store.GetString(L"Config", L"DismissedVersion", L""), L"v2.10");
  EXPECT_EQ(CConverterPreference(&store).DismissedVersion(), L"v2.10");
}

TEST_F(ConverterSettings, DamagedColumnsInfoLeavesBuiltInColumns) {
  TByteVector bytes = EncodeColumnsInfo({{0, 1, 1}, {1, 2, 1}, {2, 3, 1}});
  bytes.resize(30);
  store.WriteBinary(L"Downloaded", L"ColumnsInfo", bytes);
  CConverterPreference prefs(&store);
  EXPECT_TRUE(prefs.ColumnLayout().empty());
}

TEST_F(ConverterSettings, BaseObjectAloneSavesItsTwoValues) {
  { CDNPreferenceBase base(&store); }
  EXPECT_EQ(store.GetInt(L"Settings", L"BaseViewFlags", -1), 4096);
  EXPECT_EQ(store.GetInt(L"Config", L"RunCount", -1), 0);
  EXPECT_FALSE(store.Table().Find(L"Config", L"SaveTo"));
}

TEST_F(ConverterSettings, WithoutStoreKeepsDefaultsAndSaveFails) {
  CConverterPreference prefs(nullptr);
  EXPECT_EQ(prefs.OutputFolder(), L"c:\\VideoOutput");
  EXPECT_EQ(prefs.BaseViewFlags(), 4096);
  EXPECT_FALSE(prefs.Save());
}

}  // namespace
}  // namespace corvane
