#pragma once
// The base of the program's custom controls (Windows only: include from
// _win.cpp files): a C++ object attached to an existing window, usually a
// control of a dialog resource, whose messages it sees first.
//
// Attaching subclasses the window through the common controls' subclass
// chain; the object lets go by itself when the window is destroyed, and
// when the object is destroyed first it removes itself from the window.
// UI thread only.
#include <windows.h>

namespace corvane {

class CF3dWindow {
 public:
  CF3dWindow() = default;
  virtual ~CF3dWindow();
  CF3dWindow(const CF3dWindow&) = delete;
  CF3dWindow& operator=(const CF3dWindow&) = delete;

  // Attaches to `window`; false when it is null, when this object already
  // holds a window, when another object is attached to the window, or when
  // the subclass cannot be installed.
  bool Attach(HWND window);
  // Attaches to the dialog's control `id`.
  bool AttachDlgItem(HWND dialog, int id) { return Attach(GetDlgItem(dialog, id)); }
  // Removes the subclass; the window keeps working as the plain control.
  void Detach();

  HWND Handle() const { return m_window; }
  int ControlId() const { return m_window ? GetDlgCtrlID(m_window) : 0; }

 protected:
  // One switch per control class: true when handled (result set). Messages
  // not handled go on to the window's own procedure.
  virtual bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
  // After Attach succeeded (the window is set).
  virtual void OnAttached() {}
  // Before the subclass goes (object destroyed, Detach, or WM_NCDESTROY).
  virtual void OnDetaching() {}

  // The window's own handling of a message (the next procedure in the chain).
  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

  // For controls that draw their whole surface themselves: on WM_PAINT and
  // WM_PRINTCLIENT the base fills an off-screen copy of the client area with
  // the parent's background (asked for with `colourMessage`, e.g.
  // WM_CTLCOLORSTATIC), lets PaintSurface draw on it and copies it to the
  // screen; the background is never erased first (no flicker). True when
  // handled.
  bool HandleSelfPaint(UINT message, WPARAM wParam, UINT colourMessage, LRESULT& result);
  // Draws on `dc`, which covers `client` and already shows the background.
  virtual void PaintSurface(HDC /*dc*/, const RECT& /*client*/) {}

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data);
  void PaintBuffered(HDC target, UINT colourMessage);

  HWND m_window = nullptr;
};

}  // namespace corvane
