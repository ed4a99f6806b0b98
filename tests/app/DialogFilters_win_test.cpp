// The filters handed to the system's file dialogs: both forms carry the
// same entries in the same order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DialogFilters.h"

namespace corvane {
namespace {

TEST(DialogFilters, ClassicTextIsLabelAndPatternPairsEndedByAnEmptyString) {
  const CDialogFilters filters({{L"Rmvb Files (*.rmvb)", L"*.rmvb"}, {L"All Files (*.*)", L"*.*"}});
  const std::wstring expected(L"Rmvb Files (*.rmvb)\0*.rmvb\0All Files (*.*)\0*.*\0", 47);
  // The string's own terminator is the list's closing empty string.
  EXPECT_EQ(filters.ClassicText(), expected);
}

TEST(DialogFilters, SpecsFollowTheSaveOrderOfTheFirstFile) {
  const CDialogFilters filters(OutputFilters(L"C:\\v\\a.rmvb"));
  const std::vector<COMDLG_FILTERSPEC> specs = filters.Specs();
  ASSERT_EQ(specs.size(), 6u);
  EXPECT_STREQ(specs.front().pszName, L"Rmvb Files (*.rmvb)");
  EXPECT_STREQ(specs.front().pszSpec, L"*.rmvb");
  EXPECT_STREQ(specs.back().pszName, L"All Files (*.*)");
  EXPECT_STREQ(specs.back().pszSpec, L"*.*");
  // The classic form lists the same entries, in the same order.
  std::wstring classic;
  for (const COMDLG_FILTERSPEC& spec : specs) classic += std::wstring(spec.pszName) + L'\0' + spec.pszSpec + L'\0';
  EXPECT_EQ(filters.ClassicText(), classic);
}

}  // namespace
}  // namespace corvane
