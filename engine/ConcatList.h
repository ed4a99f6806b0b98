#pragma once
// The list file that the fast route hands to the tool's concat demuxer.
#include <string>
#include <vector>

namespace corvane {

// path in single quotes for the list format. An apostrophe cannot stand
// inside quotes, so it closes the quote, appears escaped and reopens it:
// it's -> 'it'\''s'.
std::wstring QuoteForConcatList(const std::wstring& path);

// One line "file '<path>'" per input in order, each ended by a line feed
// followed by a carriage return, as UTF-8 without a byte-order mark.
// Empty when a path holds a line feed, a carriage return or a NUL (possible
// in a native file name): the tool ends a line at each of them even inside
// quotes, so such a list would name other files.
std::string BuildConcatList(const std::vector<std::wstring>& inputs);

}  // namespace corvane
