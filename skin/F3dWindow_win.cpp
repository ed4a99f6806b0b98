#include "skin/F3dWindow.h"

#include <commctrl.h>

#include "skin/GdiObject.h"

namespace corvane {
namespace {

// One subclass id for every CF3dWindow: a window carries at most one of
// them, and the object pointer travels as the reference data.
constexpr UINT_PTR kSubclassId = 0xF3D0;
constexpr wchar_t kOwnerProperty[] = L"Corvane.F3dWindow";

}  // namespace

CF3dWindow::~CF3dWindow() {
  // Only the subclass is removed here: a derived part is already gone, so
  // OnDetaching (virtual) cannot run any more.
  if (m_window) {
    RemoveWindowSubclass(m_window, &CF3dWindow::SubclassProc, kSubclassId);
    RemovePropW(m_window, kOwnerProperty);
  }
  m_window = nullptr;
}

bool CF3dWindow::Attach(HWND window) {
  if (!window || m_window || !IsWindow(window)) return false;
  // A window carries one such object: a second would silently take the
  // first one's place in the chain. (GetWindowSubclass would tell, but
  // mingw-w64's import library lacks it: a window property marks the owner.)
  if (GetPropW(window, kOwnerProperty)) return false;
  if (!SetWindowSubclass(window, &CF3dWindow::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    return false;
  }
  SetPropW(window, kOwnerProperty, reinterpret_cast<HANDLE>(this));
  m_window = window;
  OnAttached();
  return true;
}

void CF3dWindow::Detach() {
  if (!m_window) return;
  OnDetaching();
  RemoveWindowSubclass(m_window, &CF3dWindow::SubclassProc, kSubclassId);
  RemovePropW(m_window, kOwnerProperty);
  m_window = nullptr;
}

LRESULT CF3dWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(m_window, message, wParam, lParam);
}

bool CF3dWindow::HandleSelfPaint(UINT message, WPARAM wParam, UINT colourMessage, LRESULT& result) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint = {};
      if (HDC dc = BeginPaint(m_window, &paint)) PaintBuffered(dc, colourMessage);
      EndPaint(m_window, &paint);
      result = 0;
      return true;
    }
    case WM_PRINTCLIENT:
      PaintBuffered(reinterpret_cast<HDC>(wParam), colourMessage);
      result = 0;
      return true;
    case WM_ERASEBKGND:
      result = 1;  // the whole surface is painted in WM_PAINT
      return true;
    default:
      return false;
  }
}

void CF3dWindow::PaintBuffered(HDC target, UINT colourMessage) {
  RECT client = {};
  GetClientRect(m_window, &client);
  const int width = client.right, height = client.bottom;
  if (width <= 0 || height <= 0) return;
  CMemoryDC memory(target, width, height);
  HDC dc = memory.IsValid() ? memory.Get() : target;
  // The dialog's own background, as the plain control would have it.
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(m_window), colourMessage, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(m_window)));
  FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
  PaintSurface(dc, client);
  if (dc != target) BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
}

LRESULT CALLBACK CF3dWindow::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data) {
  auto* self = reinterpret_cast<CF3dWindow*>(data);
  if (message == WM_NCDESTROY) {
    // The window's last message: the object lets go, the control finishes.
    if (self && self->m_window == window) self->Detach();
    return DefSubclassProc(window, message, wParam, lParam);
  }
  if (!self || self->m_window != window) return DefSubclassProc(window, message, wParam, lParam);
  try {
    LRESULT result = 0;
    if (self->ProcessWindowMessage(message, wParam, lParam, result)) return result;
  } catch (...) {
    // Nothing may leave a window procedure; the control handles the message.
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace corvane
