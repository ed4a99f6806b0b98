#pragma once
// Path rules of the unpacker, kept apart from the zip library and the file
// system so that they can be checked on their own.
//
// Paths use the backslash as separator (a "/" is accepted as one too);
// the native build's file layer turns backslashes into slashes.
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// An archive entry name as the program folder sees it: "/" becomes "\".
std::wstring NormaliseEntryName(std::wstring_view name);

// False for names that could write outside the target folder: empty names,
// absolute names ("\x", "\\server\x"), names with a drive or stream colon
// ("C:\x", "C:x", "a:b"), and names with a ".." part (or a part made of dots
// and blanks only, which Windows would shorten to one).
bool IsSafeEntryName(std::wstring_view normalisedName);

// A folder entry's name ends with a backslash.
bool IsFolderEntry(std::wstring_view normalisedName);

// folder + "\" (unless the folder already ends with one) + the name, or only
// its file name with `flatten`.
std::wstring EntryTargetPath(std::wstring_view folder, std::wstring_view normalisedName, bool flatten);

// The text before the last separator, and whether there is one.
bool ParentPath(std::wstring_view path, std::wstring& parent);

// The path without its extension (drive, folder and base name).
std::wstring PathWithoutExtension(std::wstring_view path);

// Name of the file an entry is written to before it replaces the target.
std::wstring PendingPathFor(std::wstring_view target);

// A DOS date and time (date in the high 16 bits) as calendar fields.
struct SDosDateTime {
  int year = 1980, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
SDosDateTime DecodeDosDateTime(uint32_t dosDate);

}  // namespace corvane
