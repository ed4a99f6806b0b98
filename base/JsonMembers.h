#pragma once
// Reading the members of a JSON object the programs receive (their launch
// data and hand-off records) as wide text.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <boost/json.hpp>

namespace corvane {

// The object of a JSON text whose double quotes travel as "#" (so that it
// survives a command line as one argument); nothing when the text is not a
// JSON object. A "#" inside a string travels as the escape "\u0023", which
// reads back as "#"; a bare "#" is always a quote.
std::optional<boost::json::object> ParseHashQuotedObject(std::wstring_view text);
// The form ParseHashQuotedObject reads, made from compact JSON (UTF-8): every
// "#" (only strings can hold one) written "\u0023", then every double quote
// written "#".
std::wstring HashQuotedText(std::string_view compactJson);

// The string member `key` (UTF-8) as wide text; empty when the member is
// missing or not a string.
std::wstring JsonStringMember(const boost::json::object& object, const char* key);
// The string elements of the array member `key`; elements of another type
// are skipped rather than read as empty texts. Empty when the member is
// missing or not an array.
std::vector<std::wstring> JsonStringArrayMember(const boost::json::object& object, const char* key);

}  // namespace corvane
