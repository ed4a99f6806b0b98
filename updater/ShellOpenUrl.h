#pragma once
// Opening a web page in the user's browser (Windows only).
#include <string>

namespace corvane {

// Asks the shell to open the URL; when it cannot, runs the program
// registered for ".htm" pages with the URL. True on success. Returns once
// the page is handed over, so the caller may end the process right after.
// COM must be initialised on this thread (single-threaded apartment).
bool ShellOpenUrl(const std::wstring& url, int showCommand);

// The command registered for opening ".htm" pages (the ".htm" class's
// "shell\open\command"), environment strings expanded; empty when none.
std::wstring RegisteredPageCommand();

}  // namespace corvane
