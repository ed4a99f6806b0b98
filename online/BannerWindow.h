#pragma once
// The web panel's built-in banner drawn by the program itself, for systems
// where no page can be shown: the picture at the top left on white, as the
// built-in page shows it, and a click on the picture does what the page's
// link does. Windows only.
#include <windows.h>

#include <functional>

#include "skin/GdiObject.h"

namespace corvane {

class CBannerWindow {
 public:
  CBannerWindow() = default;
  ~CBannerWindow();
  CBannerWindow(const CBannerWindow&) = delete;
  CBannerWindow& operator=(const CBannerWindow&) = delete;

  // Covers `parent`'s client area, above its other children. False when the
  // picture or the window cannot be made; the panel then stays as it was.
  bool Create(HWND parent, HINSTANCE module, int bitmapId, std::function<void()> onClick);
  HWND Handle() const { return m_window; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool OverPicture(POINT point) const;
  void Paint(HDC dc) const;

  HWND m_window = nullptr;
  TGdiObject<HBITMAP> m_picture;
  SIZE m_size = {};
  std::function<void()> m_onClick;
};

}  // namespace corvane
