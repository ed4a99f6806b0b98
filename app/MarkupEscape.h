#pragma once
// Escaping of text placed into the generated pages and playlists. A file
// name may hold "&" and "'" (and any text may hold the other markup
// characters), so nothing is ever pasted into markup or script unescaped.
#include <string>
#include <string_view>

namespace corvane {

// Text for HTML/XML content and quoted attribute values: & < > " ' become
// character references. Control characters that XML forbids are dropped.
std::wstring EscapeMarkup(std::wstring_view text);

// Text for a JavaScript string literal (either quote) inside a <script>
// element: backslash, quotes, <, >, & and line breaks become \uXXXX, so the
// literal can neither end early nor close the script element.
std::wstring EscapeScriptString(std::wstring_view text);

// Percent-encoding of the UTF-8 bytes of a value for a URL query or the
// player's variables: everything except letters, digits and - _ . ~ / : is
// written as %XX (upper-case hex), so & = + % # and spaces cannot split it.
std::wstring EscapeQueryValue(std::wstring_view text);

// A local path (drive "C:\..." or network "\\server\share\...") as a file
// URL with "/" separators. The characters that would end or alter a URL
// (% # ? and space) are percent-encoded; other characters stay as they are,
// since the pages and playlists are UTF-8 documents.
std::wstring FileUrlOfPath(std::wstring_view path);

}  // namespace corvane
