// The browser fallback reads the command registered for ".htm" pages; many
// browsers register it as REG_EXPAND_SZ. The test registers its own page
// class in the machine's classes (Wine's HKEY_CLASSES_ROOT shows those, not
// the per-user ones) and puts the old ".htm" class back afterwards.
#include "updater/ShellOpenUrl.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

constexpr wchar_t kClasses[] = L"Software\\Classes\\";
constexpr wchar_t kTestClass[] = L"CorvaneTest.PageClass";

bool SetDefault(const std::wstring& subKey, DWORD type, const std::wstring& value) {
  const std::wstring key = kClasses + subKey;
  return RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), /*value=*/nullptr, type, value.c_str(),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

class RegisteredPageCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t old[261] = {};
    DWORD size = sizeof old - sizeof(wchar_t);
    m_hadHtm = RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.htm", nullptr, RRF_RT_REG_SZ, nullptr, old,
                            &size) == ERROR_SUCCESS;
    m_oldHtm = old;
    ASSERT_TRUE(SetDefault(L".htm", REG_SZ, kTestClass));
    SetEnvironmentVariableW(L"CORVANE_TEST_BROWSER_DIR", L"C:\\Browsers\\Test");
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(kClasses) + kTestClass).c_str());
    if (m_hadHtm) {
      SetDefault(L".htm", REG_SZ, m_oldHtm);
    } else {
      RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.htm", nullptr);
    }
  }

  bool m_hadHtm = false;
  std::wstring m_oldHtm;
};

TEST_F(RegisteredPageCommandTest, ExpandableCommandIsReadAndExpanded) {
  ASSERT_TRUE(SetDefault(std::wstring(kTestClass) + L"\\shell\\open\\command", REG_EXPAND_SZ,
                         L"\"%CORVANE_TEST_BROWSER_DIR%\\b.exe\" \"%1\""));
  EXPECT_EQ(RegisteredPageCommand(), L"\"C:\\Browsers\\Test\\b.exe\" \"%1\"");
}

TEST_F(RegisteredPageCommandTest, PlainCommandIsReadAsStored) {
  ASSERT_TRUE(SetDefault(std::wstring(kTestClass) + L"\\shell\\open\\command", REG_SZ,
                         L"\"%CORVANE_TEST_BROWSER_DIR%\\b.exe\" %1"));
  EXPECT_EQ(RegisteredPageCommand(), L"\"%CORVANE_TEST_BROWSER_DIR%\\b.exe\" %1");
}

TEST_F(RegisteredPageCommandTest, MissingCommandGivesNothing) { EXPECT_EQ(RegisteredPageCommand(), L""); }

}  // namespace
}  // namespace corvane
