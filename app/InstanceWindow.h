#pragma once
// Finding a program's main window by its class name and a registered
// message that the window answers with the message's own number.
#include <windows.h>

#include <string>

namespace corvane {

// Enumerates the top-level windows; the first whose class name equals
// className exactly and that answers `message` (sent with both parameters 0,
// at most 2000 ms, not to a hung window) with the message number itself.
// Null when none.
HWND FindInstanceWindow(const std::wstring& className, UINT message);

}  // namespace corvane
