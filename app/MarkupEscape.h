#pragma once
// Escaping of text placed into the generated pages. A file name may hold
// "&" and "'" (and any text may hold the other markup characters), so
// nothing is ever pasted into markup unescaped.
#include <string>
#include <string_view>

namespace corvane {

// Text for HTML/XML content and quoted attribute values: & < > " ' become
// character references. Control characters that XML forbids are dropped.
std::wstring EscapeMarkup(std::wstring_view text);

}  // namespace corvane
