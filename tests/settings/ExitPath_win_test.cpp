// Settings written at a program's real exit: the singletons go as the entry
// returns (CSingletonTeardown), while the registry root named by the
// application is still alive. The company and product words here are longer
// than a string's inline buffer, so a root that was already destroyed would
// send the write to a key made of freed memory.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "base/Singleton.h"
#include "settings/Preference.h"
#include "settings/RegistryRoot.h"

namespace corvane {
namespace {

constexpr wchar_t kCompany[] = L"TavrelCompanyWordLongerThanAnyInlineBuffer";
constexpr wchar_t kApplication[] = L"CorvaneProductWordLongerThanAnyInlineBuffer";
const std::wstring kCompanyKey = std::wstring(L"software\\") + kCompany;

// Writes its setting when the singletons go, as the program's own objects do.
class CExitWriter : public TSingleton<CExitWriter, kPriorityPreferenceBase> {
 public:
  ~CExitWriter() {
    if (CPreference* store = GetPreference()) store->WriteString(L"ExitPath", L"Written", L"at exit");
  }
};

// The entry of a program: the store exists from static initialisation, the
// application names the registry root, and the entry returns.
int ProgramEntry() {
  const CSingletonTeardown teardown;
  SetRegistryRoot(kCompany, kApplication);
  CExitWriter::Instance();
  return 0;
}

std::wstring StoredValue() {
  wchar_t value[64] = {};
  DWORD size = sizeof value - sizeof(wchar_t);
  const std::wstring key = kCompanyKey + L"\\" + kApplication + L"\\ExitPath";
  if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"Written", RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS) {
    return L"";
  }
  return value;
}

TEST(ExitPathDeathTest, SettingsWrittenAtExitLandUnderLongCompanyAndProductWords) {
  RegDeleteTreeW(HKEY_CURRENT_USER, kCompanyKey.c_str());
  // The program runs in a process of its own (gtest starts this test again).
  EXPECT_EXIT(std::exit(ProgramEntry()), ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(StoredValue(), L"at exit");
  RegDeleteTreeW(HKEY_CURRENT_USER, kCompanyKey.c_str());
}

}  // namespace
}  // namespace corvane
