#pragma once
// Handing a program, a document or a web address to the shell (Windows
// only: include from _win.cpp files).
#include <windows.h>

#include <string>

namespace corvane {

// Asks the shell to carry out `verb` ("open", "openas"; nullptr: the
// target's default verb) on `target`: a program file is started (with the
// system's elevation prompt when its manifest asks for administrator
// rights, which CreateProcess refuses), a document goes to its handler, a
// web address to the user's browser. The call returns once the shell has
// handed the target over, so a program may end right afterwards; the shell
// shows no error box of its own. COM must be initialised on this thread
// (single-threaded apartment): the shell's handlers are COM objects.
// `parameters` is the command line given to a program after its own name
// (empty: none); it is passed as one text, never through a command shell.
// Returns 0 on success, otherwise the system's error code (ERROR_CANCELLED
// when the user declined the elevation prompt).
DWORD ShellExecuteVerb(HWND owner, const wchar_t* verb, const std::wstring& target, int showCommand,
                       const std::wstring& parameters = std::wstring());

}  // namespace corvane
