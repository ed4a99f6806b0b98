// The task-dialog emulation's layout: every element where it belongs, in
// the order a task dialog shows them, inside the dialog and apart.
#include "skin/Task98Layout.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace corvane;

namespace {

// 4 dialog units per character, as in a font whose average width decides the units.
int CharsMeasure(const std::wstring& text) { return static_cast<int>(text.size()) * 4; }

const STask98Control* FindKind(const STask98Layout& layout, ETask98ControlKind kind, int index = 0) {
  for (const STask98Control& control : layout.controls) {
    if (control.kind == kind && index-- == 0) return &control;
  }
  return nullptr;
}

bool Overlap(const STask98Control& a, const STask98Control& b) {
  return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
}

void ExpectInsideAndApart(const STask98Layout& layout) {
  for (size_t i = 0; i < layout.controls.size(); ++i) {
    const STask98Control& a = layout.controls[i];
    EXPECT_GE(a.x, 0);
    EXPECT_GE(a.y, 0);
    EXPECT_GT(a.cx, 0);
    EXPECT_GT(a.cy, 0);
    EXPECT_LE(a.x + a.cx, layout.width) << a.text;
    EXPECT_LE(a.y + a.cy, layout.height) << a.text;
    for (size_t j = i + 1; j < layout.controls.size(); ++j) {
      EXPECT_FALSE(Overlap(a, layout.controls[j])) << a.text << " / " << layout.controls[j].text;
    }
  }
}

STask98Config EveryElement() {
  STask98Config config;
  config.title = L"Title";
  config.icon = ETask98Icon::kWarning;
  config.mainInstruction = L"The output file exists";
  config.content = L"Replace it? See <a href=\"https://www.tavrel.example/\">help</a>.";
  config.expandedInformation = L"Z:\\clips\\joined.mp4\n2 files";
  config.commandButtons = {{101, L"Join anyway"}, {102, L"Choose another name"}};
  config.radioButtons = {{201, L"MP4"}, {202, L"AVI"}};
  config.defaultRadioButton = 202;
  config.verificationText = L"Do not ask again";
  config.showProgressBar = true;
  config.footer = L"Footer text";
  config.commonButtons = kTask98Close | kTask98Yes | kTask98Ok | kTask98Retry | kTask98No | kTask98Cancel;
  config.defaultButton = 7;
  return config;
}

}  // namespace

TEST(Task98Layout, AMessageIsItsTextAndAnOkButtonThatIsTheDefault) {
  STask98Config config;
  config.content = L"The join has finished.";
  const STask98Layout layout = LayoutTask98(config, CharsMeasure);
  ASSERT_EQ(layout.controls.size(), 2u);
  const STask98Control* ok = FindKind(layout, ETask98ControlKind::kCommonButton);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->id, 1);
  EXPECT_EQ(ok->text, L"OK");
  EXPECT_TRUE(ok->isDefault);
  ExpectInsideAndApart(layout);
}

TEST(Task98Layout, EveryElementInTaskDialogOrder) {
  for (bool expanded : {false, true}) {
    STask98Config config = EveryElement();
    config.expanded = expanded;
    const STask98Layout layout = LayoutTask98(config, CharsMeasure);
    ExpectInsideAndApart(layout);
    const auto y = [&](ETask98ControlKind kind, int index = 0) {
      const STask98Control* control = FindKind(layout, kind, index);
      return control ? control->y : -1;
    };
    const STask98Control* icon = FindKind(layout, ETask98ControlKind::kIcon);
    ASSERT_NE(icon, nullptr);
    EXPECT_LT(icon->x + icon->cx, FindKind(layout, ETask98ControlKind::kMainInstruction)->x);
    EXPECT_LT(y(ETask98ControlKind::kMainInstruction), y(ETask98ControlKind::kLinkText));
    EXPECT_LT(y(ETask98ControlKind::kLinkText), y(ETask98ControlKind::kProgressBar));
    EXPECT_EQ(FindKind(layout, ETask98ControlKind::kProgressBar)->id, kTask98ProgressBarId);
    EXPECT_LT(y(ETask98ControlKind::kProgressBar), y(ETask98ControlKind::kRadioButton));
    EXPECT_LT(y(ETask98ControlKind::kRadioButton, 1), y(ETask98ControlKind::kCommandButton));
    EXPECT_LT(y(ETask98ControlKind::kCommandButton, 1), y(ETask98ControlKind::kCommonButton));
    EXPECT_EQ(y(ETask98ControlKind::kDetailsToggle), y(ETask98ControlKind::kCommonButton));
    EXPECT_LT(y(ETask98ControlKind::kCommonButton), y(ETask98ControlKind::kVerification));
    // The footer is the last text, below the verification box.
    const STask98Control* footer = &layout.controls.back();
    EXPECT_EQ(footer->text, L"Footer text");
    EXPECT_LT(y(ETask98ControlKind::kVerification), footer->y);

    // The details: shown only when expanded, with the toggle's text to match.
    const STask98Control* details = FindKind(layout, ETask98ControlKind::kText, 0);
    EXPECT_EQ(details != nullptr && details->text == config.expandedInformation, expanded);
    EXPECT_EQ(FindKind(layout, ETask98ControlKind::kDetailsToggle)->text, expanded ? L"Hide details" : L"Show details");

    // Common buttons left to right in their fixed order; No is the default.
    std::vector<std::pair<int, std::wstring>> row;
    for (const STask98Control& control : layout.controls) {
      if (control.kind == ETask98ControlKind::kCommonButton) row.push_back({control.x, control.text});
    }
    std::sort(row.begin(), row.end());
    std::vector<std::wstring> texts;
    for (const auto& button : row) texts.push_back(button.second);
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"OK", L"&Yes", L"&No", L"Cancel", L"&Retry", L"Close"}));
    for (const STask98Control& control : layout.controls) {
      EXPECT_EQ(control.isDefault && control.kind != ETask98ControlKind::kRadioButton, control.id == 7) << control.text;
    }
    EXPECT_TRUE(FindKind(layout, ETask98ControlKind::kRadioButton, 1)->isDefault);
    EXPECT_TRUE(FindKind(layout, ETask98ControlKind::kRadioButton, 0)->startsGroup);
  }
}

TEST(Task98Layout, DefaultButtonFallsBackToTheFirstCommandThenTheFirstCommonButton) {
  STask98Config config = EveryElement();
  config.defaultButton = 999;  // names no button
  const STask98Layout withCommands = LayoutTask98(config, CharsMeasure);
  EXPECT_TRUE(FindKind(withCommands, ETask98ControlKind::kCommandButton)->isDefault);
  config.commandButtons.clear();
  const STask98Layout withoutCommands = LayoutTask98(config, CharsMeasure);
  const auto firstCommon = std::find_if(withoutCommands.controls.begin(), withoutCommands.controls.end(),
                                        [](const STask98Control& c) { return c.isDefault && c.kind == ETask98ControlKind::kCommonButton; });
  ASSERT_NE(firstCommon, withoutCommands.controls.end());
  EXPECT_EQ(firstCommon->id, 1);
}

TEST(Task98Layout, LongTextsWrapAndTheDialogGrowsDownNotWithoutBound) {
  EXPECT_EQ(Task98LineCount(L"", 100, CharsMeasure), 1);
  EXPECT_EQ(Task98LineCount(L"one\ntwo\r\nthree", 400, CharsMeasure), 3);
  EXPECT_EQ(Task98LineCount(L"aaaa bbbb cccc", 40, CharsMeasure), 2);    // "aaaa bbbb" is 36 wide
  EXPECT_EQ(Task98LineCount(std::wstring(30, L'x'), 40, CharsMeasure), 3);  // 120 wide, no blank

  STask98Config config;
  config.content = L"short";
  const STask98Layout shortText = LayoutTask98(config, CharsMeasure);
  config.content.clear();
  for (int i = 0; i < 200; ++i) config.content += L"word ";
  const STask98Layout longText = LayoutTask98(config, CharsMeasure);
  EXPECT_LE(longText.width, 300);
  EXPECT_GT(longText.height, shortText.height + 8 * 10);
  ExpectInsideAndApart(longText);
}
