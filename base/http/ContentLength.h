#pragma once
// Reading the value of a "Content-Length" header.
#include <cstdint>
#include <string_view>

namespace Zorpa {

// The header value as a decimal 64-bit number: one or more digits and
// nothing else (no sign, no blanks). False, leaving `length` alone, for an
// empty value, any other character or a number beyond 64 bits.
bool ParseContentLength(std::wstring_view text, uint64_t& length);

}  // namespace Zorpa
