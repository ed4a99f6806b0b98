#include "skin/Task98Layout.h"

#include <algorithm>

namespace corvane {
namespace {

// Dialog units.
constexpr int kMargin = 7;
constexpr int kGap = 7;
constexpr int kSmallGap = 3;
constexpr int kLine = 8;
constexpr int kInstructionLine = 10;  // the main instruction's larger font
constexpr int kIconSize = 21;
constexpr int kButtonHeight = 14;
constexpr int kButtonMinWidth = 50;
constexpr int kButtonPadding = 14;
constexpr int kCheckHeight = 10;
constexpr int kCheckBoxWidth = 14;  // the box and the gap before its text
constexpr int kMinWidth = 180;
constexpr int kMaxTextWidth = 260;

constexpr ETask98CommonButton kCommonOrder[] = {kTask98Ok, kTask98Yes, kTask98No, kTask98Cancel, kTask98Retry,
                                                kTask98Close};

bool HasLinks(const std::wstring& text) {
  return text.find(L"<a ") != std::wstring::npos || text.find(L"<A ") != std::wstring::npos ||
         text.find(L"<a>") != std::wstring::npos;
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
  std::vector<std::wstring> lines(1);
  for (wchar_t c : text) {
    if (c == L'\n') {
      lines.emplace_back();
    } else if (c != L'\r') {
      lines.back() += c;
    }
  }
  return lines;
}

// Words of one line with the blank before each (but the first) kept, so a
// line's width is the sum of its words' widths.
std::vector<std::wstring> SplitWords(const std::wstring& line) {
  std::vector<std::wstring> words;
  std::wstring word;
  for (wchar_t c : line) {
    if (c == L' ' && !word.empty() && word.back() != L' ') {
      words.push_back(word);
      word.clear();
    }
    word += c;
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

int ButtonWidth(const std::wstring& text, const Task98Measure& measure) {
  return std::max(kButtonMinWidth, measure(text) + kButtonPadding);
}

std::wstring DetailsToggleText(bool expanded) { return expanded ? L"Hide details" : L"Show details"; }

struct SLayoutState {
  const Task98Measure& measure;
  STask98Layout layout;
  int y = kMargin;
};

void AddText(SLayoutState& state, ETask98ControlKind kind, const std::wstring& text, int x, int width, int lineHeight) {
  if (text.empty()) return;
  const int lines = Task98LineCount(text, width, state.measure);
  const ETask98ControlKind shown = kind == ETask98ControlKind::kText && HasLinks(text) ? ETask98ControlKind::kLinkText : kind;
  state.layout.controls.push_back({shown, 0, text, x, state.y, width, lines * lineHeight});
  state.y += lines * lineHeight + kGap;
}

int PreferredTextWidth(const STask98Config& config, const Task98Measure& measure) {
  int widest = 0;
  for (const std::wstring* text : {&config.mainInstruction, &config.content, &config.expandedInformation, &config.footer}) {
    for (const std::wstring& line : SplitLines(*text)) widest = std::max(widest, measure(line));
  }
  return std::min(widest, kMaxTextWidth);
}

std::vector<STask98Button> CommonButtons(uint32_t flags) {
  std::vector<STask98Button> buttons;
  for (ETask98CommonButton button : kCommonOrder) {
    if (flags & button) buttons.push_back({Task98CommonButtonId(button), Task98CommonButtonText(button)});
  }
  return buttons;
}

int DefaultButtonId(const STask98Config& config, const std::vector<STask98Button>& common) {
  const auto named = [&](const std::vector<STask98Button>& buttons) {
    return std::any_of(buttons.begin(), buttons.end(), [&](const STask98Button& b) { return b.id == config.defaultButton; });
  };
  if (config.defaultButton != 0 && (named(common) || named(config.commandButtons))) return config.defaultButton;
  if (!config.commandButtons.empty()) return config.commandButtons.front().id;
  return common.empty() ? 0 : common.front().id;
}

}  // namespace

int Task98CommonButtonId(ETask98CommonButton button) {
  switch (button) {
    case kTask98Ok: return 1;
    case kTask98Yes: return 6;
    case kTask98No: return 7;
    case kTask98Cancel: return 2;
    case kTask98Retry: return 4;
    case kTask98Close: return 8;
  }
  return 0;
}

std::wstring Task98CommonButtonText(ETask98CommonButton button) {
  switch (button) {
    case kTask98Ok: return L"OK";
    case kTask98Yes: return L"&Yes";
    case kTask98No: return L"&No";
    case kTask98Cancel: return L"Cancel";
    case kTask98Retry: return L"&Retry";
    case kTask98Close: return L"Close";
  }
  return std::wstring();
}

int Task98LineCount(const std::wstring& text, int width, const Task98Measure& measure) {
  int count = 0;
  for (const std::wstring& line : SplitLines(text)) {
    ++count;
    int used = 0;
    for (const std::wstring& word : SplitWords(line)) {
      const int wordWidth = measure(word);
      // A word wider than the line wraps by characters; a word that does
      // not fit what is left of the line starts the next one.
      if (used > 0 && used + wordWidth > width) {
        ++count;
        used = 0;
      }
      used += wordWidth;
      while (width > 0 && used > width) {
        ++count;
        used -= width;
      }
    }
  }
  return std::max(count, 1);
}

STask98Layout LayoutTask98(const STask98Config& config, const Task98Measure& measure) {
  const std::vector<STask98Button> common =
      CommonButtons(config.commonButtons == 0 && config.commandButtons.empty() ? kTask98Ok : config.commonButtons);
  const int defaultId = DefaultButtonId(config, common);
  const bool hasDetails = !config.expandedInformation.empty();

  // The button row decides the least width; the texts may widen it.
  int rowWidth = 0;
  for (const STask98Button& button : common) rowWidth += ButtonWidth(button.text, measure) + kSmallGap;
  if (hasDetails) rowWidth += ButtonWidth(DetailsToggleText(true), measure) + kGap;
  const int textX = config.icon == ETask98Icon::kNone ? kMargin : kMargin + kIconSize + kGap;
  const int width = std::max({kMinWidth, rowWidth + 2 * kMargin, textX + PreferredTextWidth(config, measure) + kMargin});
  const int textWidth = width - textX - kMargin;

  SLayoutState state{measure, STask98Layout{}, kMargin};
  STask98Layout& layout = state.layout;
  layout.width = width;
  if (config.icon != ETask98Icon::kNone) {
    layout.controls.push_back({ETask98ControlKind::kIcon, 0, std::wstring(), kMargin, kMargin, kIconSize, kIconSize});
  }
  AddText(state, ETask98ControlKind::kMainInstruction, config.mainInstruction, textX, textWidth, kInstructionLine);
  AddText(state, ETask98ControlKind::kText, config.content, textX, textWidth, kLine);
  if (hasDetails && config.expanded) AddText(state, ETask98ControlKind::kText, config.expandedInformation, textX, textWidth, kLine);
  if (config.showProgressBar) {
    layout.controls.push_back({ETask98ControlKind::kProgressBar, kTask98ProgressBarId, std::wstring(), textX, state.y, textWidth, kLine});
    state.y += kLine + kGap;
  }
  bool first = true;
  for (const STask98Button& radio : config.radioButtons) {
    STask98Control control{ETask98ControlKind::kRadioButton, radio.id, radio.text, textX, state.y, textWidth, kCheckHeight};
    control.isDefault = config.defaultRadioButton ? radio.id == config.defaultRadioButton : first;
    control.startsGroup = first;
    layout.controls.push_back(control);
    state.y += kCheckHeight + kSmallGap;
    first = false;
  }
  if (!config.radioButtons.empty()) state.y += kGap - kSmallGap;
  for (const STask98Button& command : config.commandButtons) {
    const int lines = Task98LineCount(command.text, textWidth - kButtonPadding, measure);
    const int height = std::max(kButtonHeight, lines * kLine + 6);
    STask98Control control{ETask98ControlKind::kCommandButton, command.id, command.text, textX, state.y, textWidth, height};
    control.isDefault = command.id == defaultId;
    layout.controls.push_back(control);
    state.y += height + kSmallGap;
  }
  if (!config.commandButtons.empty()) state.y += kGap - kSmallGap;

  // The row: the details toggle at the left, the common buttons at the right.
  if (hasDetails) {
    const std::wstring toggle = DetailsToggleText(config.expanded);
    layout.controls.push_back({ETask98ControlKind::kDetailsToggle, kTask98DetailsToggleId, toggle, kMargin, state.y,
                               ButtonWidth(DetailsToggleText(true), measure), kButtonHeight});
  }
  int x = width - kMargin;
  for (auto it = common.rbegin(); it != common.rend(); ++it) {
    const int buttonWidth = ButtonWidth(it->text, measure);
    x -= buttonWidth;
    STask98Control control{ETask98ControlKind::kCommonButton, it->id, it->text, x, state.y, buttonWidth, kButtonHeight};
    control.isDefault = it->id == defaultId;
    layout.controls.push_back(control);
    x -= kSmallGap;
  }
  if (hasDetails || !common.empty()) state.y += kButtonHeight + kGap;
  if (!config.verificationText.empty()) {
    const int checkWidth = std::min(width - 2 * kMargin, measure(config.verificationText) + kCheckBoxWidth);
    layout.controls.push_back({ETask98ControlKind::kVerification, 0, config.verificationText, kMargin, state.y, checkWidth, kCheckHeight});
    state.y += kCheckHeight + kGap;
  }
  AddText(state, ETask98ControlKind::kText, config.footer, kMargin, width - 2 * kMargin, kLine);
  layout.height = state.y;
  return layout;
}

}  // namespace corvane
