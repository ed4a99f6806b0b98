#pragma once
// Reading the members of a JSON object the programs receive (their launch
// data and hand-off records) as wide text.
#include <string>
#include <vector>

#include <boost/json.hpp>

namespace corvane {

// The string member `key` (UTF-8) as wide text; empty when the member is
// missing or not a string.
std::wstring JsonStringMember(const boost::json::object& object, const char* key);
// The string elements of the array member `key`; elements of another type
// are skipped rather than read as empty texts. Empty when the member is
// missing or not an array.
std::vector<std::wstring> JsonStringArrayMember(const boost::json::object& object, const char* key);

}  // namespace corvane
