#pragma once
// Where the programs' dialogs appear (Windows only: include from _win.cpp
// files).
#include <windows.h>

namespace corvane {

// Centres `window` over `owner` when that is visible and not minimised,
// otherwise over the work area of the nearest monitor; either way kept
// inside that work area.
void CentreOver(HWND window, HWND owner);
// CentreOver the window's owner.
void CentreOnOwner(HWND window);

}  // namespace corvane
