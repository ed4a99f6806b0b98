#pragma once
// Owners of the GDI objects the custom controls draw with (Windows only:
// include from _win.cpp files).
#include <windows.h>

#include "base/UniqueHandle.h"

namespace corvane {

// Owns a memory device context compatible with `target` (nullptr: the
// screen); DeleteDC when destroyed. Empty when the system refuses.
class CCompatibleDC {
 public:
  explicit CCompatibleDC(HDC target) : m_dc(CreateCompatibleDC(target)) {}
  ~CCompatibleDC() {
    if (m_dc) DeleteDC(m_dc);
  }
  CCompatibleDC(const CCompatibleDC&) = delete;
  CCompatibleDC& operator=(const CCompatibleDC&) = delete;

  HDC Get() const { return m_dc; }
  explicit operator bool() const { return m_dc != nullptr; }

 private:
  HDC m_dc;
};

// An off-screen device context compatible with `target` holding a bitmap of
// the given size, so a control is drawn without flicker. Invalid (no DC)
// when the system refuses; callers then draw directly.
class CMemoryDC {
 public:
  CMemoryDC(HDC target, int width, int height) : m_dc(target) {
    m_bitmap.Reset(CreateCompatibleBitmap(target, width, height));
    if (m_dc && m_bitmap) m_oldBitmap = SelectObject(m_dc.Get(), m_bitmap.Get());
  }
  ~CMemoryDC() {
    if (m_dc && m_oldBitmap) SelectObject(m_dc.Get(), m_oldBitmap);
  }
  CMemoryDC(const CMemoryDC&) = delete;
  CMemoryDC& operator=(const CMemoryDC&) = delete;

  bool IsValid() const { return m_dc && m_oldBitmap; }
  HDC Get() const { return m_dc.Get(); }

 private:
  CCompatibleDC m_dc;
  TGdiObject<HBITMAP> m_bitmap;
  HGDIOBJ m_oldBitmap = nullptr;
};

// The screen's DC, for measuring text.
class CScreenDC {
 public:
  CScreenDC() : m_dc(GetDC(nullptr)) {}
  ~CScreenDC() {
    if (m_dc) ReleaseDC(nullptr, m_dc);
  }
  CScreenDC(const CScreenDC&) = delete;
  CScreenDC& operator=(const CScreenDC&) = delete;

  HDC Get() const { return m_dc; }

 private:
  HDC m_dc;
};

// A window's DC covering its frame too, for non-client drawing.
class CWindowDC {
 public:
  explicit CWindowDC(HWND window) : m_window(window), m_dc(GetWindowDC(window)) {}
  ~CWindowDC() {
    if (m_dc) ReleaseDC(m_window, m_dc);
  }
  CWindowDC(const CWindowDC&) = delete;
  CWindowDC& operator=(const CWindowDC&) = delete;

  HDC Get() const { return m_dc; }

 private:
  HWND m_window;
  HDC m_dc;
};

// A memory DC with a bitmap someone else owns selected, to copy from it.
class CBitmapDC {
 public:
  CBitmapDC(HDC target, HBITMAP bitmap) : m_dc(target) {
    if (m_dc && bitmap) m_oldBitmap = SelectObject(m_dc.Get(), bitmap);
  }
  ~CBitmapDC() {
    if (m_dc && m_oldBitmap) SelectObject(m_dc.Get(), m_oldBitmap);
  }
  CBitmapDC(const CBitmapDC&) = delete;
  CBitmapDC& operator=(const CBitmapDC&) = delete;

  bool IsValid() const { return m_dc && m_oldBitmap; }
  HDC Get() const { return m_dc.Get(); }

 private:
  CCompatibleDC m_dc;
  HGDIOBJ m_oldBitmap = nullptr;
};

// Selects an object into a DC for one scope.
class CSelectObject {
 public:
  CSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(object ? SelectObject(dc, object) : nullptr) {}
  ~CSelectObject() {
    if (m_old) SelectObject(m_dc, m_old);
  }
  CSelectObject(const CSelectObject&) = delete;
  CSelectObject& operator=(const CSelectObject&) = delete;

 private:
  HDC m_dc;
  HGDIOBJ m_old;
};

}  // namespace corvane
