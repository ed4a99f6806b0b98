#pragma once
// Byte-wise URL escaping for text sent to other programs and to the web
// server: each byte of the escape set becomes "%" and two lower-case hex
// digits; "%" itself and every other byte are copied.
#include <string>
#include <string_view>

namespace corvane {

// The escaped text with its terminating zero must fit in this many bytes.
constexpr size_t kEscapedUrlCapacity = 2084;

// Escaped bytes, or an empty text when the result (plus its terminating
// zero) would not fit in kEscapedUrlCapacity bytes.
std::string EscapeUrl(std::string_view bytes);

// True for the bytes EscapeUrl writes as "%xx".
bool IsUrlEscapedByte(unsigned char byte);

}  // namespace corvane
