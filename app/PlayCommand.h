#pragma once
// The Play... command of the main window and the property dialog (Windows
// only: include from _win.cpp files).
#include <windows.h>

#include <string>

namespace corvane {

// Plays a file: in a new preview window where this system can show the
// file's player page (a browser engine and the page's player object are
// there), otherwise with the system's default handler for the file. Does
// nothing when the path names no existing file.
void PlayFile(HWND owner, const std::wstring& path);

// Opens the file with the system's handler for its type ("open"); where no
// handler is associated, the system's "open with" choice. When neither
// starts, a message tells the user. False then.
bool OpenWithDefaultHandler(HWND owner, const std::wstring& path);

// Whether the COM class (id text without braces) is registered under
// HKEY_CLASSES_ROOT\CLSID.
bool IsComClassRegistered(const std::wstring& classId);

}  // namespace corvane
