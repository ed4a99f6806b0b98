#pragma once
// What the screen shows of a window: its pixels for checks, and BMP files
// that tests leave for people to look at.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "base/TextConvert.h"
#include "skin/GdiObject.h"

namespace corvane::test {

// The top-down bitmap header of a window-sized 32-bit picture.
inline BITMAPINFOHEADER TopDownHeader(int width, int height) {
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = -height;  // top-down
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  return info;
}

// Pixels (0x00RRGGBB, rows top-down) the screen shows for a window.
inline std::vector<unsigned> ScreenPixels(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  const CScreenDC screen;
  CMemoryDC copy(screen.Get(), width, height);
  if (!copy.IsValid()) return {};
  BitBlt(copy.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY);
  BITMAPINFOHEADER info = TopDownHeader(width, height);
  std::vector<unsigned> pixels(static_cast<size_t>(width) * height);
  HBITMAP shown = static_cast<HBITMAP>(GetCurrentObject(copy.Get(), OBJ_BITMAP));
  GetDIBits(copy.Get(), shown, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  for (unsigned& p : pixels) p &= 0x00FFFFFF;
  return pixels;
}

// Saves what the window shows as a 32-bit BMP.
inline bool SaveWindowBitmap(HWND window, const std::wstring& path) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  const std::vector<unsigned> pixels = ScreenPixels(window);
  const BITMAPINFOHEADER info = TopDownHeader(rect.right - rect.left, rect.bottom - rect.top);
  const DWORD bytes = static_cast<DWORD>(pixels.size() * sizeof(unsigned));
  const BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof info + bytes), 0, 0,
                                 sizeof(BITMAPFILEHEADER) + sizeof info};
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(reinterpret_cast<const char*>(pixels.data()), bytes);
  return static_cast<bool>(out);
}

// The same into the build tree's test-artefacts folder.
inline bool SaveWindowScreenshot(HWND window, const wchar_t* name) {
  const std::filesystem::path folder = std::filesystem::path(Utf8ToWide(CORVANE_BUILD_DIR)) / L"test-artefacts";
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return SaveWindowBitmap(window, (folder / name).wstring());
}

}  // namespace corvane::test
