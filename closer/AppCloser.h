#pragma once
// Closes a running copy of one of the vendor's programs before an installer
// replaces or removes its files (Windows only).
//
// The program is found by its main window: class "Tavrel Video" answering
// the registered message "UWM_" + product + "Download_IsMe" with that
// message's own number. It is posted WM_COMMAND 2 (its Close command); the
// caller is blocked until the window is gone and then for a further 4100 ms,
// so that the program has ended and released its files. An installer must
// not hang: a window still there after kCloserWindowBoundMs is given up on
// at once (no settle time), and the installer goes on.
#include "base/WindowFinder.h"

namespace corvane {

// The class name every one of the vendor's main windows carries.
inline constexpr char kCloserWindowClass[] = "Tavrel Video";

// Milliseconds between looks at the window, and the wait after it is gone.
inline constexpr unsigned kCloserPollMs = 500;
inline constexpr unsigned kCloserSettleMs = 4100;
// How long the window is given to go after its Close command.
inline constexpr unsigned kCloserWindowBoundMs = 20000;

// The 8-bit form (classic installers) and the wide form (Unicode
// installers). kClosed when a window was found and closed; kStillRunning
// when it was still there after `windowBoundMs`; kNoneFound, at once, when
// none answered (or the product word makes no valid message name).
ECloseOutcome CloseRunningApp(const char* product, unsigned windowBoundMs = kCloserWindowBoundMs);
ECloseOutcome CloseRunningApp(const wchar_t* product, unsigned windowBoundMs = kCloserWindowBoundMs);

}  // namespace corvane
