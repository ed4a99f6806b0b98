#include "online/BannerWindow.h"

#include <windowsx.h>

#include "base/WindowClass.h"

namespace corvane {
namespace {

constexpr wchar_t kClassName[] = L"CorvaneBanner";

}  // namespace

CBannerWindow::~CBannerWindow() {
  // The parent usually took the window with it already.
  if (m_window && IsWindow(m_window)) DestroyWindow(m_window);
}

bool CBannerWindow::Create(HWND parent, HINSTANCE module, int bitmapId, std::function<void()> onClick) {
  m_picture.Reset(static_cast<HBITMAP>(
      LoadImageW(module, MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  BITMAP info = {};
  if (!m_picture || !GetObjectW(m_picture.Get(), sizeof info, &info)) return false;
  m_size = {info.bmWidth, info.bmHeight};
  m_onClick = std::move(onClick);
  if (!RegisterWindowClassOnce(kClassName, &CBannerWindow::WindowProc)) return false;
  RECT area = {};
  GetClientRect(parent, &area);
  m_window = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, area.right,
                             area.bottom, parent, nullptr, module, this);
  if (!m_window) return false;
  SetWindowPos(m_window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return true;
}

LRESULT CALLBACK CBannerWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<CBannerWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->m_window = window;
  }
  auto* self = reinterpret_cast<CBannerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (self) self->m_window = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    if (self) return self->OnMessage(message, wParam, lParam);
  } catch (...) {
    // nothing may leave a window procedure
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CBannerWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the picture and its white are painted in one go
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(m_window, &paint);
      Paint(dc);
      EndPaint(m_window, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SETCURSOR: {
      POINT point = {};
      GetCursorPos(&point);
      ScreenToClient(m_window, &point);
      if (LOWORD(lParam) != HTCLIENT || !OverPicture(point)) break;
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    }
    case WM_LBUTTONUP:
      if (OverPicture({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) && m_onClick) m_onClick();
      return 0;
  }
  return DefWindowProcW(m_window, message, wParam, lParam);
}

bool CBannerWindow::OverPicture(POINT point) const {
  return point.x >= 0 && point.y >= 0 && point.x < m_size.cx && point.y < m_size.cy;
}

void CBannerWindow::Paint(HDC dc) const {
  RECT area = {};
  GetClientRect(m_window, &area);
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  // The picture is a DIB section: its bits go to the DC directly.
  DIBSECTION picture = {};
  if (GetObjectW(m_picture.Get(), sizeof picture, &picture) != sizeof picture || !picture.dsBm.bmBits) return;
  BITMAPINFO format = {};
  format.bmiHeader = picture.dsBmih;
  SetDIBitsToDevice(dc, 0, 0, m_size.cx, m_size.cy, 0, 0, 0, m_size.cy, picture.dsBm.bmBits, &format,
                    DIB_RGB_COLORS);
}

}  // namespace corvane
