#pragma once
// Where the program's small dialogs appear (Windows only).
#include <windows.h>

namespace corvane {

// Centres a dialog over its owner when the owner is visible and not
// minimised, otherwise over the work area of the screen.
void CentreOnOwner(HWND window);

}  // namespace corvane
