#pragma once
// The task-dialog emulation's content and its layout, for systems whose
// common-controls library has no task dialog: what the dialog shows, and
// where each control goes in dialog units. No window system here; the
// Windows half (Task98Dialog) turns the layout into an in-memory dialog
// template and measures the texts in the dialog's font.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace corvane {

enum class ETask98Icon { kNone, kInformation, kWarning, kError };

// The common buttons, as flags, in the order they appear left to right.
enum ETask98CommonButton : uint32_t {
  kTask98Ok = 0x01,
  kTask98Yes = 0x02,
  kTask98No = 0x04,
  kTask98Cancel = 0x08,
  kTask98Retry = 0x10,
  kTask98Close = 0x20,
};

struct STask98Button {
  int id = 0;
  std::wstring text;
};

struct STask98Config {
  std::wstring title;
  ETask98Icon icon = ETask98Icon::kNone;
  std::wstring mainInstruction;
  std::wstring content;
  std::wstring expandedInformation;  // behind "Show details" / "Hide details"
  bool expanded = false;
  std::vector<STask98Button> commandButtons;  // one per row, full width
  std::vector<STask98Button> radioButtons;
  int defaultRadioButton = 0;  // 0: the first
  std::wstring verificationText;
  bool verificationChecked = false;
  bool showProgressBar = false;
  std::wstring footer;
  uint32_t commonButtons = 0;  // ETask98CommonButton flags; none at all means OK
  int defaultButton = 0;       // 0: the first button
};

// What the dialog answered.
struct STask98Result {
  int button = 0;       // the pressed button's id (IDCANCEL = 2 when closed)
  int radioButton = 0;  // the selected radio button's id, 0 when none
  bool verificationChecked = false;
};

enum class ETask98ControlKind {
  kIcon,
  kMainInstruction,
  kText,  // content, expanded information, footer
  kLinkText,  // the same where the text holds links ("<a ")
  kCommandButton,
  kRadioButton,
  kDetailsToggle,
  kVerification,
  kProgressBar,
  kCommonButton,
};

struct STask98Control {
  ETask98ControlKind kind = ETask98ControlKind::kText;
  int id = 0;
  std::wstring text;
  int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  bool isDefault = false;
  bool startsGroup = false;
};

struct STask98Layout {
  int width = 0, height = 0;  // the client area, dialog units
  std::vector<STask98Control> controls;
};

constexpr int kTask98ProgressBarId = 29706;
constexpr int kTask98DetailsToggleId = 29707;
constexpr wchar_t kTask98MeasureAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// The width of one line of text in dialog units (the Windows half measures
// it in the dialog's font against the alphabet's average character width).
using Task98Measure = std::function<int(const std::wstring& text)>;

// The common button's id (the system's IDOK, IDYES, ...) and its text.
int Task98CommonButtonId(ETask98CommonButton button);
std::wstring Task98CommonButtonText(ETask98CommonButton button);

// The number of lines `text` takes when wrapped at word boundaries (and at
// its own line ends) to `width` dialog units; at least 1.
int Task98LineCount(const std::wstring& text, int width, const Task98Measure& measure);

STask98Layout LayoutTask98(const STask98Config& config, const Task98Measure& measure);

}  // namespace corvane
