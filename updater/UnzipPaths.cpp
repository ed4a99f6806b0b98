#include "updater/UnzipPaths.h"

#include <algorithm>

namespace corvane {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// A part that Windows would resolve upwards or to nothing: "..", "...", ". .".
bool IsDotsOnlyPart(std::wstring_view part) {
  if (part.empty() || part == L".") return false;
  return std::all_of(part.begin(), part.end(), [](wchar_t c) { return c == L'.' || c == L' '; });
}

}  // namespace

std::wstring NormaliseEntryName(std::wstring_view name) {
  std::wstring out(name);
  std::replace(out.begin(), out.end(), L'/', L'\\');
  return out;
}

bool IsSafeEntryName(std::wstring_view name) {
  if (name.empty() || IsSeparator(name.front())) return false;
  if (name.find(L':') != std::wstring_view::npos) return false;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = start;
    while (end < name.size() && !IsSeparator(name[end])) ++end;
    if (IsDotsOnlyPart(name.substr(start, end - start))) return false;
    start = end + 1;
  }
  return true;
}

bool IsFolderEntry(std::wstring_view name) { return !name.empty() && name.back() == L'\\'; }

std::wstring EntryTargetPath(std::wstring_view folder, std::wstring_view name, bool flatten) {
  std::wstring target(folder);
  if (target.empty() || !IsSeparator(target.back())) target += L'\\';
  if (flatten) {
    const size_t cut = name.find_last_of(L"\\/");
    if (cut != std::wstring_view::npos) name = name.substr(cut + 1);
  }
  target += name;
  return target;
}

bool ParentPath(std::wstring_view path, std::wstring& parent) {
  const size_t cut = path.find_last_of(L"\\/");
  if (cut == std::wstring_view::npos) return false;
  parent.assign(path.substr(0, cut));
  return true;
}

std::wstring PathWithoutExtension(std::wstring_view path) {
  const size_t dot = path.rfind(L'.');
  const size_t separator = path.find_last_of(L"\\/");
  if (dot == std::wstring_view::npos || (separator != std::wstring_view::npos && dot < separator)) {
    return std::wstring(path);
  }
  return std::wstring(path.substr(0, dot));
}

std::wstring PendingPathFor(std::wstring_view target) { return std::wstring(target) + L".~upd"; }

SDosDateTime DecodeDosDateTime(uint32_t dosDate) {
  const uint32_t date = dosDate >> 16;
  const uint32_t time = dosDate & 0xFFFF;
  SDosDateTime out;
  out.year = 1980 + static_cast<int>((date >> 9) & 0x7F);
  out.month = static_cast<int>((date >> 5) & 0x0F);
  out.day = static_cast<int>(date & 0x1F);
  out.hour = static_cast<int>((time >> 11) & 0x1F);
  out.minute = static_cast<int>((time >> 5) & 0x3F);
  out.second = static_cast<int>((time & 0x1F) * 2);
  return out;
}

}  // namespace corvane
