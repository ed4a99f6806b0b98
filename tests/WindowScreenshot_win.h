#pragma once
// A window as the screen shows it, saved as a BMP file under the build
// tree's test-artefacts folder: pictures a test leaves for people to look at.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "base/TextConvert.h"
#include "skin/GdiObject.h"

namespace corvane::test {

inline void SaveWindowScreenshot(HWND window, const wchar_t* name) {
  RECT r = {};
  GetWindowRect(window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  const CScreenDC screen;
  CMemoryDC copy(screen.Get(), width, height);
  if (!copy.IsValid()) return;
  BitBlt(copy.Get(), 0, 0, width, height, screen.Get(), r.left, r.top, SRCCOPY);
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = -height;  // top-down
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  std::vector<unsigned> pixels(static_cast<size_t>(width) * height);
  HBITMAP shown = static_cast<HBITMAP>(GetCurrentObject(copy.Get(), OBJ_BITMAP));
  GetDIBits(copy.Get(), shown, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  const DWORD bytes = static_cast<DWORD>(pixels.size() * sizeof(unsigned));
  const BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof info + bytes), 0, 0,
                                 sizeof(BITMAPFILEHEADER) + sizeof info};
  const std::filesystem::path folder = std::filesystem::path(Utf8ToWide(CORVANE_BUILD_DIR)) / L"test-artefacts";
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  std::ofstream out(folder / name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(reinterpret_cast<const char*>(pixels.data()), bytes);
}

}  // namespace corvane::test
