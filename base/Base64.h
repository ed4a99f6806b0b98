#pragma once
// Base64 text (RFC 4648, the standard alphabet with "=" padding) back to bytes.
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The bytes of canonical base64 text; nothing when the text is anything
// else: a character outside the alphabet (blanks and line breaks included),
// a length that is not a multiple of four, padding that is not at the end,
// or bits left over that are not zero.
std::optional<std::string> DecodeBase64(std::string_view text);

}  // namespace corvane
