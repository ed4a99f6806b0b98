// The registry store against the real registry (under Wine).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "settings/ConverterPreference.h"
#include "settings/RegPreference.h"
#include "settings/RegistryRoot.h"

namespace corvane {
namespace {

// Every test works under its own application key, removed afterwards.
class RegistryStore : public ::testing::Test {
 protected:
  void SetUp() override {
    app = L"CorvaneTest" + std::to_wstring(GetCurrentProcessId());
    SetRegistryRoot(L"Tavrel", app);
    RegDeleteTreeW(HKEY_CURRENT_USER, AppPath().c_str());
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, AppPath().c_str());
    SetRegistryRoot(L"Tavrel", L"Corvane");
    ClearRegistryRoot();
  }
  std::wstring AppPath() const { return L"software\\Tavrel\\" + app; }
  std::wstring SectionPath(const wchar_t* section) const { return AppPath() + L"\\" + section; }

  bool SectionExists(const wchar_t* section) const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
      return false;
    RegCloseKey(key);
    return true;
  }
  // The stored type and size of a value, read straight from the registry.
  bool QueryValue(const wchar_t* section, const wchar_t* key, DWORD& type, DWORD& size) const {
    return RegGetValueW(HKEY_CURRENT_USER, SectionPath(section).c_str(), key, RRF_RT_ANY | RRF_NOEXPAND, &type,
                        nullptr, &size) == ERROR_SUCCESS;
  }
  void PutRaw(const wchar_t* section, const wchar_t* key, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, SectionPath(section).c_str(), key, type, data, size),
              ERROR_SUCCESS);
  }

  std::wstring app;
  CRegPreference store;
};

TEST_F(RegistryStore, FreshUserGetsDefaults) {
  EXPECT_EQ(store.GetString(L"Config", L"SaveTo", L"c:\\VideoOutput"), L"c:\\VideoOutput");
  EXPECT_EQ(store.GetInt(L"Config", L"RunCount", 0), 0);
  TByteVector out = {1};
  EXPECT_FALSE(store.GetBinary(L"Downloaded", L"ColumnsInfo", out));
  EXPECT_EQ(out, TByteVector{1});
}

TEST_F(RegistryStore, ValuesAreWrittenWithTheirRegistryTypes) {
  ASSERT_TRUE(store.WriteString(L"Config", L"SaveTo", L"d:\\out"));
  ASSERT_TRUE(store.WriteInt(L"Settings", L"BaseViewFlags", 4096));
  ASSERT_TRUE(store.WriteBinary(L"Downloaded", L"ColumnsInfo", EncodeColumnsInfo({{0, 1, 1}, {1, 2, 1}, {2, 3, 0}})));
  DWORD type = 0, size = 0;
  ASSERT_TRUE(QueryValue(L"Config", L"SaveTo", type, size));
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(size, 2u * (6 + 1));
  ASSERT_TRUE(QueryValue(L"Settings", L"BaseViewFlags", type, size));
  EXPECT_EQ(type, DWORD(REG_DWORD));
  ASSERT_TRUE(QueryValue(L"Downloaded", L"ColumnsInfo", type, size));
  EXPECT_EQ(type, DWORD(REG_BINARY));
  EXPECT_EQ(size, 31u);
  EXPECT_EQ(store.GetString(L"Config", L"SaveTo", L""), L"d:\\out");
  EXPECT_EQ(store.GetInt(L"Settings", L"BaseViewFlags", 0), 4096);
}

TEST_F(RegistryStore, EmptyStoredStringGivesDefault) {
  const wchar_t empty[] = L"";
  PutRaw(L"Config", L"SaveTo", REG_SZ, empty, sizeof empty);
  EXPECT_EQ(store.GetString(L"Config", L"SaveTo", L"c:\\VideoOutput"), L"c:\\VideoOutput");
}

TEST_F(RegistryStore, TextReadAsIntegerFollowsTheByteRule) {
  const wchar_t one[] = L"1";  // 4 bytes with its terminating zero
  PutRaw(L"Config", L"SysFlags", REG_SZ, one, sizeof one);
  EXPECT_EQ(store.GetInt(L"Config", L"SysFlags", 0), 0x31);
  const wchar_t longer[] = L"12";
  PutRaw(L"Config", L"SysFlags", REG_SZ, longer, sizeof longer);
  EXPECT_EQ(store.GetInt(L"Config", L"SysFlags", 0), 0);
  const BYTE two[] = {0x02, 0x01};
  PutRaw(L"Config", L"SysFlags", REG_BINARY, two, sizeof two);
  EXPECT_EQ(store.GetInt(L"Config", L"SysFlags", 0), 0x0102);
}

TEST_F(RegistryStore, WriteStringWithoutKeyRemovesTheSection) {
  ASSERT_TRUE(store.WriteInt(L"Config", L"RunCount", 3));
  ASSERT_TRUE(store.WriteString(L"Config", L"SaveTo", L"x"));
  ASSERT_TRUE(store.WriteInt(L"Settings", L"BaseViewFlags", 1));
  ASSERT_TRUE(SectionExists(L"Config"));
  ASSERT_TRUE(store.WriteString(L"Config", nullptr, nullptr));
  EXPECT_FALSE(SectionExists(L"Config"));
  EXPECT_TRUE(SectionExists(L"Settings"));
  EXPECT_FALSE(store.WriteString(L"Config", nullptr, nullptr)) << "already gone";
}

TEST_F(RegistryStore, WriteStringWithoutValueRemovesTheValue) {
  ASSERT_TRUE(store.WriteString(L"Config", L"SaveTo", L"x"));
  ASSERT_TRUE(store.WriteString(L"Config", L"SaveTo", nullptr));
  DWORD type = 0, size = 0;
  EXPECT_FALSE(QueryValue(L"Config", L"SaveTo", type, size));
}

TEST_F(RegistryStore, BinaryEmptyValueSucceedsAndLeavesVector) {
  ASSERT_TRUE(store.WriteBinary(L"S", L"Empty", nullptr, 0));
  TByteVector out = {5};
  EXPECT_TRUE(store.GetBinary(L"S", L"Empty", out));
  EXPECT_EQ(out, TByteVector{5});
}

TEST_F(RegistryStore, SettingsObjectWritesItsKeysAtExit) {
  {
    CConverterPreference prefs(&store);
    EXPECT_EQ(prefs.OutputFolder(), L"c:\\VideoOutput");
    prefs.ColumnLayout() = {{0, 100, 1}, {1, 80, 1}, {2, 60, 1}};
  }
  EXPECT_EQ(store.GetInt(L"Config", L"RunCount", -1), 0);
  EXPECT_EQ(store.GetString(L"Config", L"SaveTo", L""), L"c:\\VideoOutput");
  EXPECT_EQ(store.GetInt(L"Settings", L"BaseViewFlags", -1), 4096);
  DWORD type = 0, size = 0;
  ASSERT_TRUE(QueryValue(L"Downloaded", L"ColumnsInfo", type, size));
  EXPECT_EQ(size, 31u);
}

TEST(RegistryStoreRegistration, TypeZeroIsTheRegistryStoreMadeAtStart) {
  CPreference* store = GetPreference();
  ASSERT_NE(store, nullptr);
  EXPECT_NE(dynamic_cast<CRegPreference*>(store), nullptr);
}

}  // namespace
}  // namespace corvane
