// The test program carries a version resource "2, 2, 0, 1" (version_test.rc).
#include <windows.h>

#include <gtest/gtest.h>

#include "base/ModuleFileInfo.h"

using namespace corvane;

TEST(ModuleFileInfo, ReadsTheRunningProgramsVersionResource) {
  const CModuleFileInfo info;
  ASSERT_TRUE(info.HasVersionResource());
  EXPECT_EQ(info.TranslationKey(), L"040904b0");
  EXPECT_EQ(info.GetString(L"FileVersion"), L"2, 2, 0, 1");
  EXPECT_EQ(info.GetString(L"ProductName"), L"Corvane test");
  EXPECT_EQ(info.GetString(L"NoSuchValue"), L"");
  EXPECT_EQ(info.FileName().Title(), L"base_tests");
}

TEST(ModuleFileInfo, VersionTextsOfTheRunningProgram) {
  EXPECT_EQ(CModuleFileInfo::GetVersionText(kVersionShort), L"v2.20");
  EXPECT_EQ(CModuleFileInfo::GetVersionText(kVersionLabelled), L"Version: 2.20 build 001 Unicode");
  EXPECT_EQ(CModuleFileInfo::GetVersionText(kVersionDotted), L"2.20.001");
  EXPECT_EQ(CModuleFileInfo::GetVersionText(kVersionCompact), L"v2.2");
}

TEST(ModuleFileInfo, AnotherModuleIsReadFromItsOwnFile) {
  const CModuleFileInfo info(GetModuleHandleW(L"kernel32.dll"));
  EXPECT_EQ(info.FileName().FileName().size(), std::wstring(L"kernel32.dll").size());
  EXPECT_NE(info.GetString(L"FileVersion"), L"2, 2, 0, 1");
}
