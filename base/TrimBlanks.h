#pragma once
// Text without the blanks (space, tab, CR, LF) at either end.
#include <string>

namespace corvane {

std::wstring TrimBlanks(const std::wstring& text);

}  // namespace corvane
