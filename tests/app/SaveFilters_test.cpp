// The output save dialog's filters and proposed name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/SaveFilters.h"

namespace corvane {
namespace {

std::vector<std::wstring> Labels(const std::wstring& firstFile) {
  std::vector<std::wstring> labels;
  for (const SFileFilter& f : OutputFilters(firstFile)) labels.push_back(f.label);
  return labels;
}

const std::wstring kFlv = L"Flv Files (*.flv)", kMp4 = L"Mp4 Files (*.mp4)", kAvi = L"Avi Files (*.avi)",
                   kWmv = L"Wmv Files (*.wmv)", kRm = L"Rmvb Files (*.rmvb)", kAll = L"All Files (*.*)";

TEST(SaveFilters, OrderFollowsTheFirstFilesKind) {
  const struct {
    const wchar_t* first;
    std::vector<std::wstring> expected;
  } cases[] = {
      {L"C:\\v\\a.flv", {kFlv, kMp4, kAvi, kWmv, kRm, kAll}},
      {L"C:\\v\\a.f4v", {kFlv, kMp4, kAvi, kWmv, kRm, kAll}},
      {L"C:\\v\\a.mkv", {kFlv, kMp4, kAvi, kWmv, kRm, kAll}},  // not recognised
      {L"C:\\v\\noextension", {kFlv, kMp4, kAvi, kWmv, kRm, kAll}},
      {L"C:\\v\\a.MP4", {kMp4, kFlv, kAvi, kWmv, kRm, kAll}},
      {L"C:\\v\\a.3gp", {kMp4, kFlv, kAvi, kWmv, kRm, kAll}},
      {L"C:\\v\\a.avi", {kAvi, kFlv, kMp4, kWmv, kRm, kAll}},
      {L"C:\\v\\a.asf", {kWmv, kAvi, kFlv, kMp4, kRm, kAll}},
      {L"C:\\v\\a.wmv", {kWmv, kAvi, kFlv, kMp4, kRm, kAll}},
      {L"C:\\v\\a.rmvb", {kRm, kWmv, kAvi, kFlv, kMp4, kAll}},
      {L"C:\\v\\a.rm", {kRm, kWmv, kAvi, kFlv, kMp4, kAll}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.first, c.first + wcslen(c.first)));
    EXPECT_EQ(Labels(c.first), c.expected);
  }
}

TEST(SaveFilters, EachPatternIsTheOneInItsLabel) {
  for (const SFileFilter& f : OutputFilters(L"x.wmv")) {
    EXPECT_NE(f.label.find(L"(" + f.pattern + L")"), std::wstring::npos) << f.label.c_str();
  }
}

TEST(SaveFilters, ProposedNameIsTheFirstFilesTitleWithAll) {
  EXPECT_EQ(ProposedOutputName(L"a.rmvb"), L"a_all");
  EXPECT_EQ(ProposedOutputName(L"C:\\Videos\\my.clip.part1.flv"), L"my.clip.part1_all");
  EXPECT_EQ(ProposedOutputName(L"D:\\dir.with.dots\\plain"), L"plain_all");
  EXPECT_EQ(ProposedOutputName(L"/home/u/clip.mp4"), L"clip_all");
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

TEST(OpenDialogFilters, AllFilesFirstThenTheVideoKinds) {
  const std::vector<SFileFilter> filters = InputFilters();
  ASSERT_EQ(filters.size(), 5u);
  EXPECT_EQ(filters[0].pattern, L"*.*");
  EXPECT_EQ(filters[1].label, L"FLV Files (*.flv;*.f4v)");
  EXPECT_EQ(filters[1].pattern, L"*.flv;*.f4v");
  EXPECT_EQ(filters[4].pattern, L"*.rmvb");
}

TEST(OpenDialogFilters, MultiSelectionResultBecomesFullPaths) {
  using V = std::vector<std::wstring>;
  const std::wstring one(L"C:\\v\\a.flv\0\0", 12);
  EXPECT_EQ(SplitMultiSelection(one), V{L"C:\\v\\a.flv"});
  const std::wstring several(L"C:\\v\0a.flv\0b c.mp4\0\0", 20);
  EXPECT_EQ(SplitMultiSelection(several), (V{L"C:\\v\\a.flv", L"C:\\v\\b c.mp4"}));
  const std::wstring root(L"C:\\\0a.flv\0b.flv\0\0", 17);
  EXPECT_EQ(SplitMultiSelection(root), (V{L"C:\\a.flv", L"C:\\b.flv"}));
  EXPECT_TRUE(SplitMultiSelection(std::wstring(L"\0\0", 2)).empty());
}

}  // namespace
}  // namespace corvane
