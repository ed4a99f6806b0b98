#include "base/ShowMessage.h"

#include <gtest/gtest.h>

#include "base/F3DLogHTML.h"

using namespace corvane;

TEST(ShowMessage, LogsAtInfoLevelThenUsesTheFallbackWhenNoTaskDialogExists) {
  ASSERT_FALSE(IsPlatformTaskDialogAvailable());
  std::vector<std::wstring> debugger;
  CF3DLogHTML::Instance().SetDebugOutput([&](const std::wstring& text) { debugger.push_back(text); });
  std::wstring shownText, shownTitle;
  std::vector<EMessageKind> kinds;
  SetTaskDialogFallback([&](void*, const std::wstring& text, const std::wstring& title, EMessageKind kind) {
    shownText = text;
    shownTitle = title;
    kinds.push_back(kind);
    return kind == EMessageKind::kYesNoQuestion;
  });
  SetProgramTitle(L"Corvane");
  ShowMessage(L"Failed to merge files.");
  EXPECT_EQ(shownText, L"Failed to merge files.");
  EXPECT_EQ(shownTitle, L"Corvane");
  ShowMessage(L"x", L"Own title");
  EXPECT_EQ(shownTitle, L"Own title");
  ASSERT_EQ(debugger.size(), 2u);
  EXPECT_EQ(debugger[0], L"V3I:(INFO) :Failed to merge files.");
  // A question takes the same way and gets the fallback's answer.
  EXPECT_TRUE(AskQuestion(L"Replace it?"));
  EXPECT_EQ(shownText, L"Replace it?");
  const std::vector<EMessageKind> expectedKinds{EMessageKind::kInformation, EMessageKind::kInformation,
                                                EMessageKind::kYesNoQuestion};
  EXPECT_EQ(kinds, expectedKinds);
  SetTaskDialogFallback(nullptr);
  EXPECT_FALSE(AskQuestion(L"Replace it?"));
  CF3DLogHTML::Instance().SetDebugOutput(nullptr);
  SetProgramTitle(L"");
}

TEST(ShowMessage, ProgramTitleDefaultsToTheProgramFile) {
  SetProgramTitle(L"");
  EXPECT_EQ(ProgramTitle(), L"base_tests");
}
