// Where the Video Download command looks for the downloader, and the
// program path it hands to the shell.
#include <gtest/gtest.h>

#include <set>

#include "app/DownloaderLookup.h"

namespace corvane {
namespace {

TEST(DownloaderLookup, ProductKeysEndInDownloaderSettingsAndAreDistinct) {
  const std::vector<std::wstring> keys = DownloaderProductKeys();
  ASSERT_FALSE(keys.empty());
  std::set<std::wstring> seen;
  for (const std::wstring& key : keys) {
    EXPECT_EQ(key.rfind(L"Tavrel\\", 0), 0u) << key.c_str();
    const std::wstring tail = L"Downloader\\Settings";
    ASSERT_GE(key.size(), tail.size());
    EXPECT_EQ(key.substr(key.size() - tail.size()), tail) << key.c_str();
    EXPECT_TRUE(seen.insert(key).second) << key.c_str();
  }
  EXPECT_EQ(DownloaderApplicationIds().size(), 2u);
}

TEST(DownloaderLookup, ProgramPathsAreJoinedAndUnquoted) {
  EXPECT_EQ(JoinProgramPath(L"C:\\Program Files\\Tavrel", L"dl.exe"), L"C:\\Program Files\\Tavrel\\dl.exe");
  EXPECT_EQ(JoinProgramPath(L"C:\\Tools\\", L"dl.exe"), L"C:\\Tools\\dl.exe");
  EXPECT_EQ(JoinProgramPath(L"", L"dl.exe"), L"");
  EXPECT_EQ(JoinProgramPath(L"C:\\Tools", L""), L"");

  EXPECT_EQ(UnquotedProgramPath(L"\"C:\\Program Files\\dl.exe\""), L"C:\\Program Files\\dl.exe");
  EXPECT_EQ(UnquotedProgramPath(L"C:\\Program Files\\dl.exe"), L"C:\\Program Files\\dl.exe");
  // Only an enclosing pair goes; a lone quote is part of what the value says.
  EXPECT_EQ(UnquotedProgramPath(L"\""), L"\"");
  EXPECT_EQ(UnquotedProgramPath(L"\"C:\\dl.exe"), L"\"C:\\dl.exe");
  EXPECT_EQ(UnquotedProgramPath(L"\"\""), L"");
}

TEST(DownloaderLookup, DownloadPageAsksForThisProductFamily) {
  const std::wstring page = DownloaderPageAddress();
  EXPECT_NE(page.find(L"/soft.php?type=flv"), std::wstring::npos);
  EXPECT_EQ(page.rfind(L"https://", 0), 0u);
}

}  // namespace
}  // namespace corvane
