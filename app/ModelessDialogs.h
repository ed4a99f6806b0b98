#pragma once
// The program's modeless dialogs besides the main window (Windows only).
//
// The message loop hands each message to IsDialogMessage of the registered
// dialog it belongs to, so Tab, Enter and Esc work there as in any dialog.
// A dialog registers itself when it is made and unregisters when it is
// destroyed. UI thread only.
#include <windows.h>

namespace corvane {

void RegisterModelessDialog(HWND dialog);
void UnregisterModelessDialog(HWND dialog);

// True when the message belonged to a registered dialog and was handled
// there (the loop then neither translates nor dispatches it).
bool RouteModelessDialogMessage(MSG& message);

// Destroys every registered dialog, for the end of the message loop: each
// one then cleans up after itself as when the user closes it.
void DestroyModelessDialogs();

}  // namespace corvane
