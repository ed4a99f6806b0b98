#pragma once
// The file list's rows and the list operations behind the main window's
// buttons, on the job's ordered list of paths (no window involved).
#include <optional>
#include <string>
#include <vector>

namespace corvane {

enum EFileListColumn : int { kColumnOrder = 0, kColumnFileName = 1, kColumnFilePath = 2, kFileListColumnCount = 3 };

// The text of row `row` (0-based) in a column: the 1-based order, the file
// name with extension, or the folder with its trailing separator. Texts
// over 64 characters become their first 61 and "..."; every "&" is then
// doubled so that drawing does not take it for a mnemonic.
std::wstring FileListRowText(const std::wstring& path, size_t row, int column);

// The selected row, else 0 for a non-empty list; nothing for an empty one.
std::optional<size_t> SelectedOrFirst(std::optional<size_t> selected, size_t count);

// Swap the entry with its neighbour; the entry's new index, or nothing when
// it cannot move (no such entry, or already at that end).
std::optional<size_t> MoveEntryUp(std::vector<std::wstring>& files, size_t index);
std::optional<size_t> MoveEntryDown(std::vector<std::wstring>& files, size_t index);
// False when there is no such entry.
bool RemoveEntry(std::vector<std::wstring>& files, size_t index);

}  // namespace corvane
