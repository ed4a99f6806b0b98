#pragma once
// The one place where text changes encoding.
//
// Inside the programs text is wide (UTF-16 on Windows, UTF-32 natively).
// UTF-8 is used where text crosses to another program or into a file a tool
// reads; the "ANSI" code page is the thread's code page on Windows (what the
// media tool prints in) and UTF-8 natively.
#include <string>
#include <string_view>

namespace corvane {

// Invalid UTF-8 sequences become U+FFFD each; never throws on bad input.
std::wstring Utf8ToWide(std::string_view utf8);
// Lone surrogates (Windows) become U+FFFD.
std::string WideToUtf8(std::wstring_view wide);

// The thread's ANSI code page on Windows (CP_THREAD_ACP); UTF-8 natively.
std::wstring AnsiToWide(std::string_view ansi);
std::string WideToAnsi(std::wstring_view wide);

// The system's ANSI code page (CP_ACP) on Windows; UTF-8 natively.
std::wstring SystemAnsiToWide(std::string_view ansi);
std::string WideToSystemAnsi(std::wstring_view wide);

}  // namespace corvane
