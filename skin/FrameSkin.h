#pragma once
// One window kind's skin ready to draw (Windows only: include from _win.cpp
// files): the definition read from skin.xml with its bitmap and caption
// font, and the hook that gives a window that skin's frame.
#include <windows.h>

#include <memory>

#include "skin/CaptionButtons.h"
#include "skin/GdiObject.h"
#include "skin/SkinXmlReader.h"
#include "skin/WindowSkin.h"

namespace corvane {

class CFrameSkinManager;

class CFrameSkin {
 public:
  // `bitmap` belongs to the manager and outlives this object.
  CFrameSkin(const SWindowSkin& model, HBITMAP bitmap);
  CFrameSkin(const CFrameSkin&) = delete;
  CFrameSkin& operator=(const CFrameSkin&) = delete;

  const SWindowSkin& Model() const { return m_model; }
  // A definition without parts or without a bitmap leaves the system frame.
  bool Decorates() const;

  // The whole frame, or only the top row (hover changes, a new title).
  void Paint(HWND window, HDC windowDC, const CCaptionButtons& buttons, bool active, bool captionRowOnly) const;

  class CParentWndHook;

 private:
  void PaintTopRow(HWND window, HDC windowDC, const CCaptionButtons& buttons, bool active, int width) const;
  void DrawParts(HDC dc, const CCaptionButtons& buttons, int width, int height, bool active,
                 bool captionRowOnly) const;
  void DrawIcon(HWND window, HDC dc, int width, int height) const;
  void DrawCaption(HWND window, HDC dc, int width, bool active) const;

  SWindowSkin m_model;
  HBITMAP m_bitmap;
  TGdiObject<HFONT> m_font;
};

// The non-client messages of one skinned window. Made by the manager, which
// owns it; it removes itself from the window when either goes. The
// definition is looked up by window kind at every message, so a skin switch
// reaches every hooked window.
class CFrameSkin::CParentWndHook {
 public:
  CParentWndHook(CFrameSkinManager& manager, HWND window, EWindowKind kind);
  ~CParentWndHook();
  CParentWndHook(const CParentWndHook&) = delete;
  CParentWndHook& operator=(const CParentWndHook&) = delete;

  bool Installed() const { return m_installed; }
  // The window is being destroyed: the hook leaves it without giving the
  // system frame back (nothing is drawn on a window that is going).
  void LetGo();
  // The border style and the frame follow the current skin (after a switch,
  // or when the window asks to be skinned again).
  void Reapply();

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data);
  bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  const CFrameSkin* Skin() const;
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

  void SetThinBorder(bool skinned);
  void RestoreSystemFrame();
  void UpdateRegion(const CFrameSkin& skin);
  void PaintFrame(const CFrameSkin& skin, bool captionRowOnly);
  bool IsActive() const;
  int ButtonAt(const CFrameSkin& skin, LPARAM screenPoint) const;
  LRESULT HitTest(const CFrameSkin& skin, LPARAM screenPoint) const;
  void OnGetMinMaxInfo(const CFrameSkin& skin, MINMAXINFO& info) const;
  void OnButtonDown(const CFrameSkin& skin, int button);
  void OnButtonUp(const CFrameSkin& skin);
  // Touches nothing of the hook once the menu's loop has returned.
  void TrackSystemMenu(const CFrameSkin& skin);

  CFrameSkinManager& m_manager;
  HWND m_window;
  EWindowKind m_kind;
  bool m_installed = false;
  bool m_borderRemoved = false;  // the window had the thin border and the skin took it
  bool m_regionSet = false;
  bool m_active = true;
  CCaptionButtons m_buttons;
  // Goes with the hook: code that runs a modal loop holds a weak reference
  // and looks at it afterwards.
  std::shared_ptr<const char> m_alive = std::make_shared<const char>('\0');
};

}  // namespace corvane
