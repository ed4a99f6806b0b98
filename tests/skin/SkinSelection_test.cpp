// Choosing the skin in use: installed names, forced and repeated loads.
#include <gtest/gtest.h>

#include <string>

#include "skin/SkinSelection.h"

namespace corvane {
namespace {

TEST(SkinSelection, LoadsOnlyInstalledSkinsAndRereadsOnlyWhenForcedOrChanged) {
  CSkinSelection selection({L"Steel", L"Plain"});
  EXPECT_EQ(selection.Load(L"", true), ESkinLoadStep::kNoSkin);
  EXPECT_EQ(selection.Load(L"STEEL", false), ESkinLoadStep::kReadSkin);  // any case
  EXPECT_EQ(selection.Current(), L"STEEL");
  EXPECT_EQ(selection.Load(L"steel", false), ESkinLoadStep::kReapplyWatermark);
  EXPECT_EQ(selection.Load(L"Steel", true), ESkinLoadStep::kReadSkin);
  EXPECT_EQ(selection.Load(L"Plain", false), ESkinLoadStep::kReadSkin);
  EXPECT_EQ(selection.Load(L"Gone", false), ESkinLoadStep::kNoSkin);
  EXPECT_EQ(selection.Current(), L"");

  ASSERT_EQ(selection.Load(L"Steel", true), ESkinLoadStep::kReadSkin);
  selection.DocumentFailed();
  EXPECT_EQ(selection.Current(), L"");
  EXPECT_EQ(selection.Load(L"Steel", false), ESkinLoadStep::kReadSkin);  // not "the same skin again"
  EXPECT_EQ(SkinFolder(L"C:\\Program\\", L"Steel"), L"C:\\Program\\skins\\Steel\\");
}

}  // namespace
}  // namespace corvane
