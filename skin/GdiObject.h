#pragma once
// Owners of the GDI objects the custom controls draw with (Windows only:
// include from _win.cpp files).
#include <windows.h>

namespace corvane {

// Owns one font, brush, bitmap or pen; DeleteObject when destroyed.
template <class THandle>
class TGdiObject {
 public:
  TGdiObject() = default;
  explicit TGdiObject(THandle handle) : m_handle(handle) {}
  ~TGdiObject() { Reset(); }
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;

  THandle Get() const { return m_handle; }
  explicit operator bool() const { return m_handle != nullptr; }
  void Reset(THandle handle = nullptr) {
    if (m_handle) DeleteObject(m_handle);
    m_handle = handle;
  }
  // Gives the object up to a new owner (SetWindowRgn takes its region).
  THandle Release() {
    THandle handle = m_handle;
    m_handle = nullptr;
    return handle;
  }

 private:
  THandle m_handle = nullptr;
};

// An off-screen device context compatible with `target` holding a bitmap of
// the given size, so a control is drawn without flicker. Invalid (no DC)
// when the system refuses; callers then draw directly.
class CMemoryDC {
 public:
  CMemoryDC(HDC target, int width, int height) {
    m_dc = CreateCompatibleDC(target);
    m_bitmap.Reset(CreateCompatibleBitmap(target, width, height));
    if (m_dc && m_bitmap) m_oldBitmap = SelectObject(m_dc, m_bitmap.Get());
  }
  ~CMemoryDC() {
    if (m_dc && m_oldBitmap) SelectObject(m_dc, m_oldBitmap);
    if (m_dc) DeleteDC(m_dc);
  }
  CMemoryDC(const CMemoryDC&) = delete;
  CMemoryDC& operator=(const CMemoryDC&) = delete;

  bool IsValid() const { return m_dc && m_oldBitmap; }
  HDC Get() const { return m_dc; }

 private:
  HDC m_dc = nullptr;
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
  CBitmapDC(HDC target, HBITMAP bitmap) : m_dc(CreateCompatibleDC(target)) {
    if (m_dc && bitmap) m_oldBitmap = SelectObject(m_dc, bitmap);
  }
  ~CBitmapDC() {
    if (m_dc && m_oldBitmap) SelectObject(m_dc, m_oldBitmap);
    if (m_dc) DeleteDC(m_dc);
  }
  CBitmapDC(const CBitmapDC&) = delete;
  CBitmapDC& operator=(const CBitmapDC&) = delete;

  bool IsValid() const { return m_dc && m_oldBitmap; }
  HDC Get() const { return m_dc; }

 private:
  HDC m_dc;
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
