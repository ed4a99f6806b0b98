#include "base/LongPathForm.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

// A folder path of exactly `length` characters after `head`.
std::wstring Deep(const std::wstring& head, size_t length, wchar_t separator = L'\\') {
  std::wstring path = head;
  while (path.size() < length) path += separator + std::wstring(40, L'd');
  path.resize(length);
  return path;
}

TEST(LongPathForm, DrivePathsFromMaxPathOnGetThePrefix) {
  const std::wstring at259 = Deep(L"C:", 259), at260 = Deep(L"C:", 260);
  EXPECT_EQ(at259, LongPathForm(at259));
  EXPECT_EQ(L"\\\\?\\" + at260, LongPathForm(at260));
  EXPECT_EQ(L"\\\\?\\" + Deep(L"d:", 600), LongPathForm(Deep(L"d:", 600)));
  // The form takes no forward slashes.
  EXPECT_EQ(L"\\\\?\\" + at260, LongPathForm(Deep(L"C:", 260, L'/')));
}

TEST(LongPathForm, SharesGetTheUncPrefix) {
  const std::wstring share = Deep(L"\\\\server\\share", 400);
  EXPECT_EQ(L"\\\\?\\UNC\\" + share.substr(2), LongPathForm(share));
}

TEST(LongPathForm, PathsTheFormCannotCarryOrAlreadyHaveStayAsTheyAre) {
  const std::wstring cases[] = {
      L"\\\\?\\" + Deep(L"C:", 400),              // already long form
      L"\\\\?\\UNC\\" + Deep(L"server\\s", 400),  // already long form of a share
      L"\\\\.\\" + Deep(L"C:", 400),              // device form
      Deep(L"clips", 400),                        // relative
      Deep(L"\\clips", 400),                      // relative to the current drive
      Deep(L"C:clips", 400),                      // relative to a drive's current folder
      Deep(L"C:\\a\\..\\b", 400),                 // ".." is not resolved in the long form
      Deep(L"C:\\a\\.\\b", 400),
  };
  for (const std::wstring& path : cases) EXPECT_EQ(path, LongPathForm(path)) << path.substr(0, 20).c_str();
}

}  // namespace
}  // namespace corvane
