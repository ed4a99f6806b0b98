#pragma once
// Drop shadows drawn by the program (Windows only): a translucent window
// behind an edge of another window, and the handler a dialog chains in that
// keeps two of them, along its right and bottom edges, in place.
#include <windows.h>

#include <functional>

#include "skin/F3dWindow.h"

namespace corvane {

// A disabled, layered popup that is never activated, drawn dark at opacity
// 60 of 255 where the system's drop-shadow setting is on (elsewhere it
// stays invisible). Destroyed with the object.
class CShadowWindow {
 public:
  CShadowWindow() = default;
  ~CShadowWindow();
  CShadowWindow(const CShadowWindow&) = delete;
  CShadowWindow& operator=(const CShadowWindow&) = delete;

  bool Create(HWND owner);
  // Directly behind `window`, shown without activation when `visible`.
  void Place(const RECT& area, HWND window, bool visible);
  void Show(bool visible);
  HWND Handle() const { return m_window; }

 private:
  HWND m_window = nullptr;
};

// The dialog's two shadows, 4 pixels wide, offset 4 pixels down and right.
class CDialogShadow : public CF3dWindow {
 public:
  // While it answers true, the shadows of dialog-class windows are neither
  // placed nor shown (a skinned frame draws its own edge).
  void SetSkinActiveQuery(std::function<bool()> skinActive) { m_skinActive = std::move(skinActive); }
  // Shows the shadows even where the window is not visible yet.
  void SetForceVisible(bool force) { m_forceVisible = force; }

  HWND RightShadow() const { return m_right.Handle(); }
  HWND BottomShadow() const { return m_bottom.Handle(); }

 protected:
  bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnAttached() override;

 private:
  bool Suppressed() const;
  void PlaceShadows();
  void ShowShadows(bool visible);

  CShadowWindow m_right;
  CShadowWindow m_bottom;
  bool m_isDialog = false;
  bool m_forceVisible = false;
  std::function<bool()> m_skinActive;
};

}  // namespace corvane
