#include "base/ShowMessage.h"

#include <gtest/gtest.h>

#include "base/F3DLogHTML.h"

using namespace corvane;

TEST(ShowMessage, LogsAtInfoLevelThenUsesTheFallbackWhenNoTaskDialogExists) {
  ASSERT_FALSE(IsPlatformTaskDialogAvailable());
  std::vector<std::wstring> debugger;
  CF3DLogHTML::Instance().SetDebugOutput([&](const std::wstring& text) { debugger.push_back(text); });
  std::wstring shownText, shownTitle;
  SetTaskDialogFallback([&](void*, const std::wstring& text, const std::wstring& title) {
    shownText = text;
    shownTitle = title;
  });
  SetProgramTitle(L"Corvane");
  ShowMessage(L"Failed to merge files.");
  EXPECT_EQ(shownText, L"Failed to merge files.");
  EXPECT_EQ(shownTitle, L"Corvane");
  ShowMessage(L"x", L"Own title");
  EXPECT_EQ(shownTitle, L"Own title");
  ASSERT_EQ(debugger.size(), 2u);
  EXPECT_EQ(debugger[0], L"V3I:(INFO) :Failed to merge files.");
  SetTaskDialogFallback(nullptr);
  CF3DLogHTML::Instance().SetDebugOutput(nullptr);
  SetProgramTitle(L"");
}

TEST(ShowMessage, ProgramTitleDefaultsToTheProgramFile) {
  SetProgramTitle(L"");
  EXPECT_EQ(ProgramTitle(), L"base_tests");
}
