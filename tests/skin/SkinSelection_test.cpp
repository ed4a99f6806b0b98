// Choosing the skin in use: installed names, forced and repeated loads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/SkinSelection.h"

namespace corvane {
namespace {

struct SLoad {
  const wchar_t* name;
  bool force;
  ESkinLoadStep step;
  const wchar_t* current;
};

struct SSelectionCase {
  const char* name;
  std::vector<SLoad> loads;
};

class SkinSelectionLoads : public ::testing::TestWithParam<SSelectionCase> {};

TEST_P(SkinSelectionLoads, StepAndCurrentName) {
  CSkinSelection selection({L"Steel", L"Plain"});
  for (const SLoad& load : GetParam().loads) {
    EXPECT_EQ(selection.Load(load.name, load.force), load.step) << ::testing::PrintToString(std::wstring(load.name));
    EXPECT_EQ(selection.Current(), load.current);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Skins, SkinSelectionLoads,
    ::testing::Values(
        SSelectionCase{"StartWithEmptyNameUsesNoSkin", {{L"", true, ESkinLoadStep::kNoSkin, L""}}},
        SSelectionCase{"InstalledNameAnyCase", {{L"STEEL", true, ESkinLoadStep::kReadSkin, L"STEEL"}}},
        SSelectionCase{"UnknownNameUsesNoSkin",
                       {{L"Steel", true, ESkinLoadStep::kReadSkin, L"Steel"},
                        {L"Gone", false, ESkinLoadStep::kNoSkin, L""}}},
        SSelectionCase{"SameSkinAgainOnlyReappliesTheWatermark",
                       {{L"Steel", true, ESkinLoadStep::kReadSkin, L"Steel"},
                        {L"steel", false, ESkinLoadStep::kReapplyWatermark, L"Steel"},
                        {L"Steel", true, ESkinLoadStep::kReadSkin, L"Steel"}}},
        SSelectionCase{"SwitchReads",
                       {{L"Steel", false, ESkinLoadStep::kReadSkin, L"Steel"},
                        {L"Plain", false, ESkinLoadStep::kReadSkin, L"Plain"}}}),
    [](const ::testing::TestParamInfo<SSelectionCase>& info) { return std::string(info.param.name); });

TEST(SkinSelection, AnUnreadableDocumentLeavesNoSkinAndTheFolderIsUnderSkins) {
  CSkinSelection selection({L"Steel"});
  ASSERT_EQ(selection.Load(L"Steel", true), ESkinLoadStep::kReadSkin);
  selection.DocumentFailed();
  EXPECT_EQ(selection.Current(), L"");
  EXPECT_EQ(selection.Load(L"Steel", false), ESkinLoadStep::kReadSkin);  // not "the same skin again"
  EXPECT_EQ(SkinFolder(L"C:\\Program\\", L"Steel"), L"C:\\Program\\skins\\Steel\\");
}

}  // namespace
}  // namespace corvane
