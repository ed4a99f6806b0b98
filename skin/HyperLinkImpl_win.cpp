#include "skin/HyperLinkImpl.h"

#include <shellapi.h>

#include "skin/CaptionMessages.h"

namespace corvane {
namespace {

bool OpenWithShell(HWND owner, const std::wstring& target) {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(owner, L"open", target.c_str(), /*parameters=*/nullptr, /*folder=*/nullptr, SW_SHOWNORMAL));
  return result > 32;  // ShellExecute's success values
}

std::wstring TextOfWindow(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return std::wstring();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

}  // namespace

void CHyperLinkWindow::OnAttached() {
  HWND window = Handle();
  m_model.SetLabel(TextOfWindow(window));
  // Reachable with the keyboard like the system's link control.
  SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_TABSTOP);
  MakeUnderlineFont();
  if (!m_model.Target().empty()) m_tip.SetText(window, m_model.Target());
  Redraw();
}

void CHyperLinkWindow::OnDetaching() {
  m_tip.Destroy();
  m_input.Cancel();
}

void CHyperLinkWindow::SetLabel(const std::wstring& label) {
  m_model.SetLabel(label);
  if (!Handle()) return;
  // The static's own text follows; its own drawing is painted over below.
  DefaultProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(label.c_str()));
  Redraw();
}

void CHyperLinkWindow::SetTarget(const std::wstring& target) {
  m_model.SetTarget(target);
  if (Handle()) m_tip.SetText(Handle(), target);
}

void CHyperLinkWindow::SetVisited(bool visited) {
  m_model.SetVisited(visited);
  Redraw();
}

COLORREF CHyperLinkWindow::CurrentTextColour() const {
  if (Handle() && !IsWindowEnabled(Handle())) return GetSysColor(COLOR_GRAYTEXT);
  return static_cast<COLORREF>(m_model.TextColour());
}

void CHyperLinkWindow::Activate() {
  HWND window = Handle();
  if (!window || !IsWindowEnabled(window)) return;
  const CHyperLinkModel::TOpener open =
      m_opener ? m_opener : [window](const std::wstring& target) { return OpenWithShell(GetParent(window), target); };
  switch (m_model.Activate(open)) {
    case ELinkAction::kNotifyParent:
      // The parent may close the dialog in its handler: nothing after this.
      SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), STN_CLICKED),
                   reinterpret_cast<LPARAM>(window));
      return;
    case ELinkAction::kOpenTarget:
      Redraw();  // now in the visited colour
      return;
    case ELinkAction::kNothing:
      return;
  }
}

void CHyperLinkWindow::Redraw() {
  if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

void CHyperLinkWindow::MakeUnderlineFont() {
  HFONT font = reinterpret_cast<HFONT>(DefaultProc(WM_GETFONT, 0, 0));
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW description = {};
  if (!GetObjectW(font, sizeof description, &description)) return;
  description.lfUnderline = TRUE;
  m_underlineFont.Reset(CreateFontIndirectW(&description));
}

bool CHyperLinkWindow::IsInside(LPARAM position) const {
  RECT client = {};
  GetClientRect(Handle(), &client);
  const POINT point = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  return PtInRect(&client, point) != FALSE;
}

void CHyperLinkWindow::PaintSurface(HDC dc, const RECT& client) {
  HWND window = Handle();
  CSelectObject font(dc, m_underlineFont ? static_cast<HGDIOBJ>(m_underlineFont.Get())
                                         : reinterpret_cast<HGDIOBJ>(DefaultProc(WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, CurrentTextColour());
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  const UINT align = (style & SS_TYPEMASK) == SS_CENTER ? DT_CENTER : (style & SS_TYPEMASK) == SS_RIGHT ? DT_RIGHT : DT_LEFT;
  const std::wstring& label = m_model.Label();
  RECT text = client;
  DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &text,
            align | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);

  const bool showFocus = !(SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
  if (GetFocus() == window && showFocus && !label.empty()) {
    RECT mark = client;
    DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &mark,
              align | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    if (mark.right > client.right) mark.right = client.right;
    if (align == DT_CENTER) OffsetRect(&mark, (client.right - mark.right) / 2, 0);
    if (align == DT_RIGHT) OffsetRect(&mark, client.right - mark.right, 0);
    DrawFocusRect(dc, &mark);
  }
}

bool CHyperLinkWindow::OnKey(UINT message, WPARAM key, LPARAM flags) {
  if (key == VK_SPACE) {
    if (message == WM_KEYDOWN) {
      m_input.SpaceDown();
    } else if (m_input.SpaceUp()) {
      Activate();
    }
    return true;
  }
  if (key == VK_RETURN && message == WM_KEYDOWN) {
    const bool repeated = (flags & (1 << 30)) != 0;
    if (!repeated) Activate();
    return true;
  }
  return false;
}

bool CHyperLinkWindow::OnMouse(UINT message, LPARAM position) {
  HWND window = Handle();
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (GetFocus() != window) SetFocus(window);
      m_input.MouseDown(IsInside(position));
      if (m_input.WantsCapture()) SetCapture(window);
      return true;
    case WM_MOUSEMOVE:
      m_input.MouseMove(IsInside(position));
      return true;
    case WM_LBUTTONUP: {
      const bool click = m_input.MouseUp(IsInside(position));
      if (GetCapture() == window) ReleaseCapture();
      if (click) Activate();
      return true;
    }
    default:
      return false;
  }
}

bool CHyperLinkWindow::ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (HandleSelfPaint(message, wParam, WM_CTLCOLORSTATIC, result)) return true;
  const auto setLabel = [this](const wchar_t* label) { SetLabel(label); };
  if (AnswerCaptionMessage(message, wParam, lParam, m_model.Label(), setLabel, result)) return true;
  switch (message) {
    case WM_SETTEXT:
      result = DefaultProc(message, wParam, lParam);
      m_model.SetLabel(lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"");
      Redraw();
      return true;
    case WM_SETFONT:
      result = DefaultProc(message, wParam, lParam);
      MakeUnderlineFont();
      Redraw();
      return true;
    case WM_NCHITTEST:
      // Statics without SS_NOTIFY let the mouse through; a link takes it.
      result = HTCLIENT;
      return true;
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      result = TRUE;
      return true;
    case WM_GETDLGCODE: {
      // Enter goes to the link instead of the dialog's default button.
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      result = DefaultProc(message, wParam, lParam);
      if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) result |= DLGC_WANTMESSAGE;
      return true;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
      result = 0;
      return OnKey(message, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      result = 0;
      return OnMouse(message, lParam);
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != Handle()) m_input.Cancel();
      return false;
    case WM_KILLFOCUS:
      m_input.Cancel();
      Redraw();
      return false;
    case WM_SETFOCUS:
    case WM_ENABLE:
    case WM_UPDATEUISTATE:
      result = DefaultProc(message, wParam, lParam);
      Redraw();
      return true;
    default:
      return false;
  }
}

}  // namespace corvane
