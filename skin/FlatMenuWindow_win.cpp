#include "skin/FlatMenuWindow.h"

#include <algorithm>

#include "skin/GdiObject.h"

namespace corvane {
namespace {

void Fill(HDC dc, const RECT& area, COLORREF colour) {
  if (area.right <= area.left || area.bottom <= area.top) return;
  const TGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  if (brush) FillRect(dc, &area, brush.Get());
}

// The client area in window coordinates.
RECT ClientInWindow(HWND window) {
  RECT frame = {}, client = {};
  GetWindowRect(window, &frame);
  GetClientRect(window, &client);
  MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -frame.left, -frame.top);
  return client;
}

}  // namespace

void CFlatMenuWindow::SetJointWidth(int width) {
  m_jointWidth = width;
  if (Handle()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void CFlatMenuWindow::PaintFrame() {
  RECT frame = {};
  GetWindowRect(Handle(), &frame);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  const CWindowDC dc(Handle());
  if (!dc.Get() || width <= 0 || height <= 0) return;
  // The items are the menu's: nothing is drawn under them, nothing flickers.
  const RECT client = ClientInWindow(Handle());
  ExcludeClipRect(dc.Get(), client.left, client.top, client.right, client.bottom);

  const RECT whole = {0, 0, width, height};
  Fill(dc.Get(), whole, m_background);
  const TGdiObject<HBRUSH> border(CreateSolidBrush(m_border));
  if (border) FrameRect(dc.Get(), &whole, border.Get());
  // The strip runs inside the border up to the dialog-frame width, clear of
  // the top and bottom edges by the dialog-frame height.
  const int stripRight = GetSystemMetrics(SM_CXDLGFRAME), stripInset = GetSystemMetrics(SM_CYDLGFRAME);
  Fill(dc.Get(), {1, stripInset, stripRight, height - stripInset}, m_strip);
  // The joint opens the top border towards the menu-bar item above it.
  if (m_jointWidth > 0) Fill(dc.Get(), {1, 0, std::min(m_jointWidth, width - 1), 1}, m_strip);
}

bool CFlatMenuWindow::ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_NCPAINT:
      PaintFrame();
      result = 0;
      return true;
    case WM_NCACTIVATE:
      // The system draws its own frame here; ours goes over it at once.
      result = DefaultProc(message, wParam, lParam);
      PaintFrame();
      return true;
    default:
      return false;
  }
}

}  // namespace corvane
