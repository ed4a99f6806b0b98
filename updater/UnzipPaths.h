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

// Suffixes of the unpacker's own files beside their targets, and the name of
// the journal it keeps in the target folder while an unpack is under way.
constexpr const wchar_t* kPendingSuffix = L".~upd";
constexpr const wchar_t* kBackupSuffix = L".~old";
constexpr const wchar_t* kUnpackJournalName = L"_unpack.~jnl";

// An archive entry name as the program folder sees it: "/" becomes "\".
std::wstring NormaliseEntryName(std::wstring_view name);

// False for names that could write outside the target folder or that
// Windows cannot hold as given: empty names, absolute names ("\x",
// "\\server\x"), names with a drive or stream colon ("C:\x", "C:x", "a:b"),
// names with a ".." part (or a part made of dots and blanks only, which
// Windows would shorten to one), device names in any part ("CON", "nul.txt",
// "COM1"), control characters and the characters < > " | ? *, and names
// ending in the unpacker's own suffixes (pending, backup, journal).
bool IsSafeEntryName(std::wstring_view normalisedName);

// Whether one path part names a device ("CON", "aux.txt", "LPT1 ").
bool IsDeviceName(std::wstring_view part);

// The file an entry name stands for on Windows, for spotting two entries
// that would land on the same file: case folded, "." and empty parts
// dropped, trailing dots and blanks of each part cut ("A.TXT." is "a.txt").
std::wstring EntryNameKey(std::wstring_view normalisedName);

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
// Name the replaced file is kept under until every entry is in place.
std::wstring BackupPathFor(std::wstring_view target);

// A DOS date and time (date in the high 16 bits) as calendar fields.
struct SDosDateTime {
  int year = 1980, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
SDosDateTime DecodeDosDateTime(uint32_t dosDate);

}  // namespace corvane
