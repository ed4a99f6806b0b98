#include "app/FileListRows.h"

#include <utility>

#include "engine/PathParts.h"

namespace corvane {
namespace {

constexpr size_t kLongestRowText = 64;
constexpr size_t kCutRowText = 61;

std::wstring FileNameOf(const std::wstring& path) { return path.substr(FolderOf(path).size()); }

std::wstring ShownText(std::wstring text) {
  if (text.size() > kLongestRowText) text = text.substr(0, kCutRowText) + L"...";
  std::wstring shown;
  for (wchar_t c : text) {
    shown += c;
    if (c == L'&') shown += L'&';
  }
  return shown;
}

}  // namespace

std::wstring FileListRowText(const std::wstring& path, size_t row, int column) {
  switch (column) {
    case kColumnOrder: return std::to_wstring(row + 1);
    case kColumnFileName: return ShownText(FileNameOf(path));
    case kColumnFilePath: return ShownText(FolderOf(path));
    default: return std::wstring();
  }
}

std::optional<size_t> SelectedOrFirst(std::optional<size_t> selected, size_t count) {
  if (selected && *selected < count) return selected;
  if (count == 0) return std::nullopt;
  return size_t{0};
}

std::optional<size_t> MoveEntryUp(std::vector<std::wstring>& files, size_t index) {
  if (index == 0 || index >= files.size()) return std::nullopt;
  std::swap(files[index], files[index - 1]);
  return index - 1;
}

std::optional<size_t> MoveEntryDown(std::vector<std::wstring>& files, size_t index) {
  if (index + 1 >= files.size()) return std::nullopt;
  std::swap(files[index], files[index + 1]);
  return index + 1;
}

bool RemoveEntry(std::vector<std::wstring>& files, size_t index) {
  if (index >= files.size()) return false;
  files.erase(files.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

}  // namespace corvane
