#pragma once
// A small dialog made at run time from an in-memory template, for driving
// the custom controls in-process under Wine. Its procedure records every
// WM_COMMAND it receives.
#include <windows.h>

#include <string>
#include <vector>

namespace corvane {

struct STestControl {
  int id;
  const wchar_t* className;  // "Button", "Static", "SysListView32", ...
  const wchar_t* text;
  DWORD style;               // WS_CHILD | WS_VISIBLE are added
  short x, y, cx, cy;        // dialog units
};

struct SReceivedCommand {
  int id;
  int code;
  bool operator==(const SReceivedCommand& other) const { return id == other.id && code == other.code; }
};

class CSkinTestDialog {
 public:
  // Creates the dialog modeless, shown and active.
  explicit CSkinTestDialog(const std::vector<STestControl>& controls);
  ~CSkinTestDialog();
  CSkinTestDialog(const CSkinTestDialog&) = delete;
  CSkinTestDialog& operator=(const CSkinTestDialog&) = delete;

  HWND Window() const { return m_window; }
  HWND Item(int id) const { return GetDlgItem(m_window, id); }
  const std::vector<SReceivedCommand>& Commands() const { return m_commands; }
  void ClearCommands() { m_commands.clear(); }
  void Destroy();

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND m_window = nullptr;
  std::vector<SReceivedCommand> m_commands;
};

// Clicks with the mouse at (2, 2) of the control, through its messages.
void ClickControl(HWND control);
// Presses and releases a key on the control, through its messages.
void PressKey(HWND control, WPARAM key);

// 32-bit pixels (0x00RRGGBB) of what the control paints on WM_PRINTCLIENT.
std::vector<unsigned> PrintClientPixels(HWND control, int& width, int& height);

// A solid 16 x 16 icon of one colour (0x00RRGGBB); the caller destroys it.
HICON MakeSolidIcon(unsigned rgb);

}  // namespace corvane
