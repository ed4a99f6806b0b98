#pragma once
// Asks the user where a join goes (Windows only: include from _win.cpp files).
#include <windows.h>

#include <string>

namespace corvane {

// The save dialog for the output of a join whose first input is firstFile:
// the proposed name, six filters ordered by that file's kind (labels
// translated), "flv" as the default extension. The item-based dialog where
// the system has it, else the classic one; both ask before overwriting.
// False when the user cancels.
bool AskOutputPath(HWND owner, const std::wstring& firstFile, std::wstring& path);

}  // namespace corvane
