#pragma once
// The skin the build draws beside the joiner (build tree app\skins\Slate),
// as the tests read it: its definition, its bitmap, and a wait for the
// screen to show one of its pixels.
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/PumpMessages_win.h"
#include "base/TextConvert.h"
#include "skin/GdiObject.h"
#include "skin/SkinXmlReader.h"

namespace corvane::test {

// The build tree's program folder, where the shipped skin is drawn.
inline std::wstring SkinnedAppFolder() {
  std::wstring path = L"Z:" + Utf8ToWide(CORVANE_BUILD_DIR) + L"/app/";
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

inline std::wstring ShippedSkinFile(const wchar_t* name) { return SkinnedAppFolder() + L"skins\\Slate\\" + name; }

// What the shipped skin.xml says about dialog windows.
inline SWindowSkin ShippedDialogSkin() {
  std::ifstream in(std::filesystem::path(ShippedSkinFile(L"skin.xml")), std::ios::binary);
  const std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return ReadSkinXml(xml, SSkinReadOptions{}).dialog;
}

// The skin's bitmap as the test reads it, beside what the screen shows.
class CShippedSkinBitmap {
 public:
  CShippedSkinBitmap()
      : m_bitmap(static_cast<HBITMAP>(LoadImageW(nullptr, ShippedSkinFile(L"frame.bmp").c_str(), IMAGE_BITMAP, 0, 0,
                                                 LR_LOADFROMFILE | LR_CREATEDIBSECTION))),
        m_dc(m_screen.Get(), m_bitmap.Get()) {}
  bool IsValid() const { return m_dc.IsValid(); }
  // The pixel at an offset inside a part.
  COLORREF At(const SSkinRect& part, int dx, int dy) const { return GetPixel(m_dc.Get(), part.left + dx, part.top + dy); }

 private:
  CScreenDC m_screen;
  TGdiObject<HBITMAP> m_bitmap;
  CBitmapDC m_dc;
};

// Waits (running this thread's message loop) until the screen shows the
// colour at the point; what the screen shows is returned either way.
inline COLORREF AwaitScreenPixel(int x, int y, COLORREF expected) {
  const CScreenDC screen;
  COLORREF shown = CLR_INVALID;
  for (const DWORD start = GetTickCount(); GetTickCount() - start < 3000;) {
    shown = GetPixel(screen.Get(), x, y);
    if (shown == expected) break;
    PumpMessagesFor(10);
  }
  return shown;
}

}  // namespace corvane::test
