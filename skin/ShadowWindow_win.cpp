#include "skin/ShadowWindow.h"

#include "base/WindowClass.h"

namespace corvane {
namespace {

constexpr wchar_t kShadowClass[] = L"CorvaneShadow";
constexpr BYTE kShadowOpacity = 60;
constexpr int kShadowSize = 4;
constexpr wchar_t kDialogClass[] = L"#32770";

bool SystemSetting(UINT action) {
  BOOL value = FALSE;
  return SystemParametersInfoW(action, 0, &value, 0) && value;
}

bool IsDialogWindow(HWND window) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  return lstrcmpW(name, kDialogClass) == 0;
}

}  // namespace

CShadowWindow::~CShadowWindow() {
  if (m_window && IsWindow(m_window)) DestroyWindow(m_window);
}

bool CShadowWindow::Create(HWND owner) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  if (m_window || !RegisterWindowClassOnce(kShadowClass, DefWindowProcW, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)))) {
    return false;
  }
  m_window = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT, kShadowClass,
                             L"", WS_POPUP | WS_DISABLED, 0, 0, 0, 0, owner, nullptr, module, nullptr);
  if (!m_window) return false;
  // Where the user turned drop shadows off the window stays fully clear.
  if (SystemSetting(SPI_GETDROPSHADOW)) SetLayeredWindowAttributes(m_window, 0, kShadowOpacity, LWA_ALPHA);
  return true;
}

void CShadowWindow::Place(const RECT& area, HWND window, bool visible) {
  if (!m_window) return;
  const UINT show = visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
  SetWindowPos(m_window, window, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_NOACTIVATE | SWP_NOOWNERZORDER | show);
}

void CShadowWindow::Show(bool visible) {
  if (m_window) ShowWindow(m_window, visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void CDialogShadow::OnAttached() {
  m_isDialog = IsDialogWindow(Handle());
  if (m_isDialog || !SystemSetting(SPI_GETDROPSHADOW)) {
    m_right.Create(Handle());
    m_bottom.Create(Handle());
    PlaceShadows();
    return;
  }
  // The system draws the shadow of other windows when asked through their class.
  SetClassLongPtrW(Handle(), GCL_STYLE, GetClassLongPtrW(Handle(), GCL_STYLE) | CS_DROPSHADOW);
}

bool CDialogShadow::Suppressed() const { return m_isDialog && m_skinActive && m_skinActive(); }

void CDialogShadow::PlaceShadows() {
  if (!m_right.Handle() || Suppressed()) return;
  RECT frame = {};
  GetWindowRect(Handle(), &frame);
  const bool visible = m_forceVisible || IsWindowVisible(Handle());
  m_right.Place({frame.right, frame.top + kShadowSize, frame.right + kShadowSize, frame.bottom + kShadowSize}, Handle(),
                visible);
  m_bottom.Place({frame.left + kShadowSize, frame.bottom, frame.right, frame.bottom + kShadowSize}, Handle(), visible);
}

void CDialogShadow::ShowShadows(bool visible) {
  if (Suppressed()) return;
  m_right.Show(visible);
  m_bottom.Show(visible);
}

bool CDialogShadow::ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& /*result*/) {
  switch (message) {
    case WM_MOVE: PlaceShadows(); break;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) PlaceShadows();
      break;
    case WM_MOVING:
    case WM_SIZING:
      if (SystemSetting(SPI_GETDRAGFULLWINDOWS)) PlaceShadows();
      break;
    case WM_SHOWWINDOW:
      ShowShadows(wParam != FALSE);
      break;
    case WM_WINDOWPOSCHANGED:
      // Shown or hidden by SetWindowPos (no WM_SHOWWINDOW then).
      PlaceShadows();
      break;
  }
  return false;  // the window handles all of these as well
}

}  // namespace corvane
