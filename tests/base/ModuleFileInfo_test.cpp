#include "base/ModuleFileInfo.h"

#include <gtest/gtest.h>

#include "base/TextTranslator.h"

using namespace corvane;

namespace {

class VersionText : public ::testing::Test {
 protected:
  void TearDown() override { SetTextTranslator(nullptr); }
};

}  // namespace

TEST_F(VersionText, FourFormsOfAFileVersion) {
  EXPECT_EQ(FormatVersionText(L"2, 2, 0, 1", kVersionShort), L"v2.20");
  EXPECT_EQ(FormatVersionText(L"2, 2, 0, 1", kVersionLabelled), L"Version: 2.20 build 001 Unicode");
  EXPECT_EQ(FormatVersionText(L"2, 2, 0, 1", kVersionDotted), L"2.20.001");
  EXPECT_EQ(FormatVersionText(L"2, 2, 0, 1", kVersionCompact), L"v2.2");
}

TEST_F(VersionText, OtherVersionShapes) {
  const struct {
    const wchar_t* version;
    int form;
    const wchar_t* text;
  } table[] = {
      {L"3, 1, 5, 1234", kVersionDotted, L"3.15.1234"},
      {L"3, 1, 5, 27", kVersionCompact, L"v3.15"},
      {L"1,0,0,7", kVersionShort, L"v1.00"},
      {L"1,0,0,7", kVersionCompact, L"v1.0"},        // only one final zero goes
      {L"2, 5", kVersionDotted, L"2.5.001"},          // no build: 1
      {L"2", kVersionShort, L"v2"},
      {L"2, 2, 0, x", kVersionDotted, L"2.20.000"},   // a build that is no number
      {L"", kVersionShort, L"v"},
      {L"2, 2, 0, 1", 4, L""},                          // unknown form
  };
  for (const auto& row : table) {
    EXPECT_EQ(FormatVersionText(row.version, row.form), row.text) << row.version << " form " << row.form;
  }
}

TEST_F(VersionText, LabelGoesThroughTheInstalledTranslator) {
  SetTextTranslator([](const std::wstring& text) { return text == L"Version:" ? L"Fassung:" : text; });
  EXPECT_EQ(FormatVersionText(L"2, 2, 0, 1", kVersionLabelled), L"Fassung: 2.20 build 001 Unicode");
  SetTextTranslator(nullptr);
  EXPECT_EQ(FormatVersionText(L"2, 2, 0, 1", kVersionLabelled), L"Version: 2.20 build 001 Unicode");
}
