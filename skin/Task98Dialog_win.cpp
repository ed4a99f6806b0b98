#include "skin/Task98Dialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>

#include "base/ShowMessage.h"
#include "skin/DialogTemplate.h"
#include "skin/FrameSkinManager.h"
#include "skin/GdiObject.h"

namespace corvane {
namespace {

constexpr int kPointSize = 8;
constexpr wchar_t kFontName[] = L"MS Shell Dlg";
constexpr WORD kFirstStaticId = 29700;  // below the progress bar's 29706

// The font the template asks for, made for measuring.
HFONT CreateDialogFont(HDC dc, int weight, int pointSize) {
  return CreateFontW(-MulDiv(pointSize, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, kFontName);
}

// What a text shows: without the mnemonic marks and the link tags.
std::wstring ShownText(const std::wstring& text) {
  std::wstring shown;
  bool inTag = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    const bool tagStart = c == L'<' && (text.compare(i, 3, L"<a ") == 0 || text.compare(i, 3, L"<a>") == 0 ||
                                        text.compare(i, 4, L"</a>") == 0);
    if (tagStart) inTag = true;
    if (!inTag && c != L'&') shown += c;
    if (inTag && c == L'>') inTag = false;
  }
  return shown;
}

// Measures in the dialog's font and turns pixels into dialog units with the
// alphabet's average character width (4 dialog units per average character).
Task98Measure DialogFontMeasure() {
  // Each text is measured when it is laid out: the DC and the font stay
  // with the function.
  auto dc = std::make_shared<CScreenDC>();
  auto font = std::make_shared<TGdiObject<HFONT>>(CreateDialogFont(dc->Get(), FW_NORMAL, kPointSize));
  const auto widthOf = [dc, font](const std::wstring& text) {
    CSelectObject selected(dc->Get(), font->Get());
    SIZE size = {};
    GetTextExtentPoint32W(dc->Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  };
  const int average = std::max(1, (widthOf(kTask98MeasureAlphabet) / 26 + 1) / 2);
  return [widthOf, average](const std::wstring& text) { return (widthOf(ShownText(text)) * 4 + average - 1) / average; };
}

bool HasClass(const wchar_t* name) {
  WNDCLASSEXW info = {};
  info.cbSize = sizeof info;
  return GetClassInfoExW(nullptr, name, &info) || GetClassInfoExW(GetModuleHandleW(nullptr), name, &info);
}

// The class, text and style of one laid-out control in the template.
struct STemplateItem {
  const wchar_t* className;
  std::wstring text;
  DWORD style;
};

STemplateItem ItemFor(const STask98Control& control, bool linksAvailable) {
  const DWORD visible = WS_VISIBLE;
  const DWORD button = visible | WS_TABSTOP | (control.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  switch (control.kind) {
    case ETask98ControlKind::kIcon: return {L"Static", L"", visible | SS_ICON};
    case ETask98ControlKind::kMainInstruction:
    case ETask98ControlKind::kText: return {L"Static", control.text, visible | SS_LEFT | SS_NOPREFIX};
    case ETask98ControlKind::kLinkText:
      if (linksAvailable) return {WC_LINK, control.text, visible | WS_TABSTOP};
      return {L"Static", ShownText(control.text), visible | SS_LEFT | SS_NOPREFIX};
    case ETask98ControlKind::kCommandButton: return {L"Button", control.text, button | BS_MULTILINE | BS_LEFT | WS_GROUP};
    case ETask98ControlKind::kRadioButton:
      return {L"Button", control.text, visible | WS_TABSTOP | BS_AUTORADIOBUTTON | (control.startsGroup ? WS_GROUP : 0)};
    case ETask98ControlKind::kDetailsToggle:
    case ETask98ControlKind::kCommonButton: return {L"Button", control.text, button | WS_GROUP};
    case ETask98ControlKind::kVerification: return {L"Button", control.text, visible | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX};
    case ETask98ControlKind::kProgressBar: return {PROGRESS_CLASSW, L"", visible | PBS_SMOOTH};
  }
  return {L"Static", L"", 0};
}

// Controls without an id of their own get one, so the dialog can find them.
void NumberTheStatics(STask98Layout& layout) {
  WORD next = kFirstStaticId;
  for (STask98Control& control : layout.controls) {
    if (control.id == 0 && control.kind != ETask98ControlKind::kVerification) control.id = next++;
  }
}

constexpr WORD kVerificationId = 29708;

CDialogTemplate BuildTemplate(const STask98Config& config, STask98Layout& layout) {
  NumberTheStatics(layout);
  const bool linksAvailable = HasClass(WC_LINK);
  CDialogTemplate dialogTemplate(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, config.title,
                                 layout.width, layout.height, kPointSize, kFontName);
  for (const STask98Control& control : layout.controls) {
    const STemplateItem item = ItemFor(control, linksAvailable);
    const WORD id = control.kind == ETask98ControlKind::kVerification ? kVerificationId : static_cast<WORD>(control.id);
    dialogTemplate.AddItem(item.className, item.text, id, item.style, control.x, control.y, control.cx, control.cy);
  }
  return dialogTemplate;
}

const wchar_t* SystemIcon(ETask98Icon icon) {
  switch (icon) {
    case ETask98Icon::kInformation: return IDI_INFORMATION;
    case ETask98Icon::kWarning: return IDI_WARNING;
    case ETask98Icon::kError: return IDI_ERROR;
    case ETask98Icon::kNone: break;
  }
  return nullptr;
}

}  // namespace

STask98Result CTask98Dialog::Show(HWND owner, STask98Config config) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS | ICC_LINK_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const Task98Measure measure = DialogFontMeasure();
  while (true) {
    CTask98Dialog dialog(config);
    dialog.m_layout = LayoutTask98(config, measure);
    const CDialogTemplate dialogTemplate = BuildTemplate(config, dialog.m_layout);
    const INT_PTR ended = dialog.RunModalIndirect(owner, dialogTemplate.Get());
    if (ended == -1) return STask98Result{};  // the system refused the dialog
    if (!dialog.m_rebuild) return dialog.m_result;
    // Shown again with the details toggled and the user's choices kept.
    config.expanded = !config.expanded;
    config.verificationChecked = dialog.m_result.verificationChecked;
    if (dialog.m_result.radioButton) config.defaultRadioButton = dialog.m_result.radioButton;
  }
}

bool CTask98Dialog::ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      result = FALSE;  // the focus is set
      return true;
    case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->code != NM_CLICK && header->code != NM_RETURN) return false;
      const auto* link = reinterpret_cast<const NMLINK*>(lParam);
      if (link->item.szUrl[0]) ShellExecuteW(m_window, L"open", link->item.szUrl, nullptr, nullptr, SW_SHOWNORMAL);
      return true;
    }
  }
  return false;
}

void CTask98Dialog::OnInitDialog() {
  // A skinned dialog frame draws its own edge: no shadows while a skin is in use.
  m_shadow.SetSkinActiveQuery(FrameSkinActiveQuery());
  m_shadow.Attach(m_window);
  int defaultId = 0;
  for (const STask98Control& control : m_layout.controls) {
    HWND item = GetDlgItem(m_window, control.id);
    switch (control.kind) {
      case ETask98ControlKind::kIcon:
        SendMessageW(item, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, SystemIcon(m_config.icon))), 0);
        break;
      case ETask98ControlKind::kMainInstruction: {
        CScreenDC screen;
        m_instructionFont.Reset(CreateDialogFont(screen.Get(), FW_BOLD, kPointSize + 1));
        SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(m_instructionFont.Get()), FALSE);
        break;
      }
      case ETask98ControlKind::kRadioButton:
        if (control.isDefault) CheckDlgButton(m_window, control.id, BST_CHECKED);
        break;
      case ETask98ControlKind::kCommandButton:
      case ETask98ControlKind::kCommonButton:
        if (control.isDefault) defaultId = control.id;
        break;
      default: break;
    }
  }
  if (m_config.verificationChecked) CheckDlgButton(m_window, kVerificationId, BST_CHECKED);
  if (defaultId) {
    SendMessageW(m_window, DM_SETDEFID, defaultId, 0);
    SetFocus(GetDlgItem(m_window, defaultId));
  }
}

bool CTask98Dialog::OnCommand(WORD id, WORD code) {
  if (code != BN_CLICKED) return false;
  if (id == kTask98DetailsToggleId) {
    m_rebuild = true;
    End(0);
    return true;
  }
  if (id == IDCANCEL && !GetDlgItem(m_window, IDCANCEL)) {
    // Escape and the close box: as Cancel where there is none, the only
    // common button answers (OK of a message); otherwise the dialog stays.
    int only = 0, common = 0;
    for (const STask98Control& control : m_layout.controls) {
      if (control.kind != ETask98ControlKind::kCommonButton) continue;
      only = control.id;
      ++common;
    }
    if (common == 1) End(only);
    return true;
  }
  for (const STask98Control& control : m_layout.controls) {
    const bool answers =
        control.kind == ETask98ControlKind::kCommonButton || control.kind == ETask98ControlKind::kCommandButton;
    if (answers && control.id == id) {
      End(id);
      return true;
    }
  }
  return false;
}

void CTask98Dialog::End(int button) {
  m_result.button = button;
  m_result.verificationChecked = IsDlgButtonChecked(m_window, kVerificationId) == BST_CHECKED;
  for (const STask98Control& control : m_layout.controls) {
    if (control.kind == ETask98ControlKind::kRadioButton && IsDlgButtonChecked(m_window, control.id) == BST_CHECKED) {
      m_result.radioButton = control.id;
    }
  }
  EndDialog(m_window, button);
}

void InstallTask98MessageFallback() {
  SetTaskDialogFallback([](void* owner, const std::wstring& text, const std::wstring& title, EMessageKind kind) {
    STask98Config config;
    config.title = title;
    config.icon = ETask98Icon::kInformation;
    config.content = text;
    config.commonButtons = kind == EMessageKind::kYesNoQuestion ? kTask98Yes | kTask98No : kTask98Ok;
    return CTask98Dialog::Show(static_cast<HWND>(owner), config).button == IDYES;
  });
}

}  // namespace corvane
