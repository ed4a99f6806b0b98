#pragma once
// A window's position kept in the preference store as a 44-byte placement
// value (Windows only: include from _win.cpp files).
#include <windows.h>

namespace corvane {

// Applies the stored position under section/key when the rules allow it;
// true when it was applied and the window is visible.
bool ApplyStoredPlacement(HWND window, const wchar_t* section, const wchar_t* key);

// Stores the window's position (as it would come back when restored).
void StoreWindowPlacement(HWND window, const wchar_t* section, const wchar_t* key);

}  // namespace corvane
