#pragma once
// Registers a window class of this program once (Windows only).
#include <windows.h>

namespace corvane {

// Registers `name` in this program's module with the arrow cursor unless it
// is registered already; false when the system refuses.
bool RegisterWindowClassOnce(const wchar_t* name, WNDPROC procedure, HBRUSH background = nullptr);

}  // namespace corvane
