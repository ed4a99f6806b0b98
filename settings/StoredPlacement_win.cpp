#include "settings/StoredPlacement.h"

#include "settings/Preference.h"
#include "settings/WindowPlacementRules.h"

namespace corvane {
namespace {

SScreenArea VirtualScreenArea() {
  SScreenArea area;
  area.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  area.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  area.right = area.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
  area.bottom = area.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
  return area;
}

WINDOWPLACEMENT ToWindowPlacement(const SWindowPlacementValue& value) {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  placement.flags = value.flags;
  placement.showCmd = value.showState;
  placement.ptMinPosition = {value.minX, value.minY};
  placement.ptMaxPosition = {value.maxX, value.maxY};
  placement.rcNormalPosition = {value.left, value.top, value.right, value.bottom};
  return placement;
}

SWindowPlacementValue FromWindowPlacement(const WINDOWPLACEMENT& placement) {
  SWindowPlacementValue value;
  value.flags = placement.flags;
  value.showState = placement.showCmd;
  value.minX = placement.ptMinPosition.x;
  value.minY = placement.ptMinPosition.y;
  value.maxX = placement.ptMaxPosition.x;
  value.maxY = placement.ptMaxPosition.y;
  value.left = placement.rcNormalPosition.left;
  value.top = placement.rcNormalPosition.top;
  value.right = placement.rcNormalPosition.right;
  value.bottom = placement.rcNormalPosition.bottom;
  return value;
}

}  // namespace

bool ApplyStoredPlacement(HWND window, const wchar_t* section, const wchar_t* key) {
  CPreference* store = GetPreference();
  if (!store) return false;
  TByteVector bytes;
  if (!store->GetBinary(section, key, bytes)) return false;
  const auto placement = StoredPlacementToApply(bytes, VirtualScreenArea());
  if (!placement) return false;
  const WINDOWPLACEMENT value = ToWindowPlacement(*placement);
  return SetWindowPlacement(window, &value) != FALSE && IsWindowVisible(window);
}

void StoreWindowPlacement(HWND window, const wchar_t* section, const wchar_t* key) {
  CPreference* store = GetPreference();
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  if (!store || !GetWindowPlacement(window, &placement)) return;
  // Closed while minimised: what counts is how it would come back.
  const bool maximized = IsZoomed(window) || (IsIconic(window) && (placement.flags & WPF_RESTORETOMAXIMIZED));
  const SWindowPlacementValue value = PlacementToStore(FromWindowPlacement(placement), maximized);
  store->WriteBinary(section, key, EncodeWindowPlacement(value));
}

}  // namespace corvane
