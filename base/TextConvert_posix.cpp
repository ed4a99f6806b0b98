#include "base/TextConvert.h"

// Natively every "ANSI" text is UTF-8: that is what Linux tools print.
namespace corvane {

std::wstring AnsiToWide(std::string_view ansi) { return Utf8ToWide(ansi); }
std::string WideToAnsi(std::wstring_view wide) { return WideToUtf8(wide); }
std::wstring SystemAnsiToWide(std::string_view ansi) { return Utf8ToWide(ansi); }
std::string WideToSystemAnsi(std::wstring_view wide) { return WideToUtf8(wide); }

}  // namespace corvane
