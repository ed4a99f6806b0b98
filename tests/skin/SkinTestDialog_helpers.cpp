// Shared by the Windows-only tests of this folder; the native build (which
// takes every helper file of the folder) compiles nothing here.
#ifdef _WIN32
#include "SkinTestDialog.h"

#include <commctrl.h>

#include "skin/DialogTemplate.h"


namespace corvane {
namespace {

CDialogTemplate BuildTemplate(const std::vector<STestControl>& controls) {
  CDialogTemplate dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU, L"Skin test", 200, 120, 8, L"Tahoma");
  for (const STestControl& control : controls) {
    dialog.AddItem(control.className, control.text, static_cast<WORD>(control.id), control.style | WS_VISIBLE,
                   control.x, control.y, control.cx, control.cy);
  }
  return dialog;
}

}  // namespace

CSkinTestDialog::CSkinTestDialog(const std::vector<STestControl>& controls) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  const CDialogTemplate dialogTemplate = BuildTemplate(controls);
  m_window = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialogTemplate.Get(),
                                        nullptr, &CSkinTestDialog::DialogProc, reinterpret_cast<LPARAM>(this));
  if (!m_window) return;
  ShowWindow(m_window, SW_SHOW);
}

CSkinTestDialog::~CSkinTestDialog() { Destroy(); }

void CSkinTestDialog::Destroy() {
  if (m_window) DestroyWindow(m_window);
  m_window = nullptr;
}

INT_PTR CALLBACK CSkinTestDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    return TRUE;
  }
  auto* self = reinterpret_cast<CSkinTestDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (message == WM_COMMAND && self) {
    self->m_commands.push_back({LOWORD(wParam), HIWORD(wParam)});
    return TRUE;
  }
  return FALSE;
}

void ClickControl(HWND control) {
  SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

void PressKey(HWND control, WPARAM key) {
  SendMessageW(control, WM_KEYDOWN, key, 1);
  SendMessageW(control, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
}

std::vector<unsigned> PrintClientPixels(HWND control, int& width, int& height) {
  RECT client = {};
  GetClientRect(control, &client);
  width = client.right;
  height = client.bottom;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return {};
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  // A colour no control paints, so untouched pixels are recognisable.
  const unsigned kUnpainted = 0x00123456;
  std::fill(static_cast<unsigned*>(bits), static_cast<unsigned*>(bits) + width * height, kUnpainted);
  SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  std::vector<unsigned> pixels(static_cast<unsigned*>(bits), static_cast<unsigned*>(bits) + width * height);
  for (unsigned& p : pixels) p &= 0x00FFFFFF;
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
  return pixels;
}

HICON MakeSolidIcon(unsigned rgb) {
  constexpr int kSize = 16;
  std::vector<uint32_t> colour(kSize * kSize, 0xFF000000u | rgb);
  HBITMAP colourBitmap = CreateBitmap(kSize, kSize, 1, 32, colour.data());
  std::vector<uint8_t> mask(kSize * 2, 0);  // all opaque
  HBITMAP maskBitmap = CreateBitmap(kSize, kSize, 1, 1, mask.data());
  ICONINFO info = {TRUE, 0, 0, maskBitmap, colourBitmap};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(colourBitmap);
  DeleteObject(maskBitmap);
  return icon;
}

}  // namespace corvane

#endif  // _WIN32
