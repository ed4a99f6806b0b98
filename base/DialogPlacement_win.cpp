#include "base/DialogPlacement.h"

namespace corvane {

void CentreOver(HWND window, HWND owner) {
  RECT own{};
  GetWindowRect(window, &own);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(owner ? owner : window, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT area = monitor.rcWork;
  RECT centre = area;
  if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &centre);
  const int width = own.right - own.left, height = own.bottom - own.top;
  int x = (centre.left + centre.right - width) / 2;
  int y = (centre.top + centre.bottom - height) / 2;
  if (x + width > area.right) x = area.right - width;
  if (y + height > area.bottom) y = area.bottom - height;
  if (x < area.left) x = area.left;
  if (y < area.top) y = area.top;
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CentreOnOwner(HWND window) { CentreOver(window, GetWindow(window, GW_OWNER)); }

}  // namespace corvane
