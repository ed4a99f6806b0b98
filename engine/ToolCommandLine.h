#pragma once
// Helpers shared by the platform runners for handling a tool command line.
#include <string>
#include <vector>

namespace corvane {

// Length of text in UTF-16 code units (what the Windows runner's 2048-unit
// buffer holds); code points above U+FFFF count twice where wchar_t is 32-bit.
size_t Utf16Length(const std::wstring& text);

// Splits a command line into arguments the way the command templates are
// written: blanks (space, tab) separate arguments, a double quote starts or
// ends a quoted stretch in which blanks are kept, and the quotes themselves
// are dropped. Backslashes are ordinary characters. `""` gives an empty
// argument.
std::vector<std::wstring> SplitToolCommandLine(const std::wstring& commandLine);

}  // namespace corvane
