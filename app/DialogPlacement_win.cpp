#include "app/DialogPlacement.h"

namespace corvane {

void CentreOnOwner(HWND window) {
  HWND owner = GetWindow(window, GW_OWNER);
  RECT area = {}, own = {};
  if (owner && IsWindowVisible(owner) && !IsIconic(owner)) {
    GetWindowRect(owner, &area);
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  GetWindowRect(window, &own);
  const int width = own.right - own.left, height = own.bottom - own.top;
  SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace corvane
