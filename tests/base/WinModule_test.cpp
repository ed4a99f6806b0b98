#include <gtest/gtest.h>

#include "base/WinModule.h"

using namespace corvane;

namespace {

struct SSplitCase {
  const wchar_t* path;
  const wchar_t* drive;
  const wchar_t* directory;
  const wchar_t* title;
  const wchar_t* extension;
};

class SplitModulePathTable : public ::testing::TestWithParam<SSplitCase> {};

TEST_P(SplitModulePathTable, SplitsIntoFourParts) {
  const SSplitCase& c = GetParam();
  const SSplitPath parts = SplitModulePath(c.path);
  EXPECT_EQ(parts.drive, c.drive);
  EXPECT_EQ(parts.directory, c.directory);
  EXPECT_EQ(parts.title, c.title);
  EXPECT_EQ(parts.extension, c.extension);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitModulePathTable,
    ::testing::Values(
        SSplitCase{L"C:\\Program Files\\Corvane\\Corvane.exe", L"C:", L"\\Program Files\\Corvane\\", L"Corvane",
                   L".exe"},
        SSplitCase{L"/usr/lib/corvane/corvane-cli", L"", L"/usr/lib/corvane/", L"corvane-cli", L""},
        SSplitCase{L"D:\\a.b\\name.tar.gz", L"D:", L"\\a.b\\", L"name.tar", L".gz"},
        SSplitCase{L"\\\\server\\share\\x.exe", L"", L"\\\\server\\share\\", L"x", L".exe"},
        SSplitCase{L"C:/mixed\\seps/p.exe", L"C:", L"/mixed\\seps/", L"p", L".exe"},
        SSplitCase{L"plain", L"", L"", L"plain", L""}));

TEST(CWinModule, FolderHoldsTheRunningTestProgram) {
  const CWinModule& module = CWinModule::Instance();
  ASSERT_FALSE(module.FullPath().empty());
  EXPECT_EQ(module.Folder() + module.Parts().title + module.Parts().extension, module.FullPath());
  EXPECT_NE(module.Parts().title.find(CORVANE_TEST_PROGRAM), std::wstring::npos);
}

}  // namespace
