#include "updater/UnzipPaths.h"

#include <algorithm>
#include <array>
#include <cwctype>

namespace corvane {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// A part that Windows would resolve upwards or to nothing: "..", "...", ". .".
bool IsDotsOnlyPart(std::wstring_view part) {
  if (part.empty() || part == L".") return false;
  return std::all_of(part.begin(), part.end(), [](wchar_t c) { return c == L'.' || c == L' '; });
}

wchar_t Folded(wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); }

bool EndsWithFolded(std::wstring_view text, std::wstring_view suffix) {
  if (text.size() < suffix.size()) return false;
  return std::equal(suffix.begin(), suffix.end(), text.end() - suffix.size(),
                    [](wchar_t a, wchar_t b) { return Folded(a) == Folded(b); });
}

// Characters no Windows file name may hold (the colon is refused apart).
bool IsForbiddenCharacter(wchar_t c) {
  return c < 0x20 || c == L'<' || c == L'>' || c == L'"' || c == L'|' || c == L'?' || c == L'*';
}

std::wstring_view WithoutTrailingDotsAndBlanks(std::wstring_view part) {
  while (!part.empty() && (part.back() == L'.' || part.back() == L' ')) part.remove_suffix(1);
  return part;
}

// Calls `visit` with every part between separators, empty ones included.
template <class Visit>
bool EveryPart(std::wstring_view name, Visit visit) {
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = start;
    while (end < name.size() && !IsSeparator(name[end])) ++end;
    if (!visit(name.substr(start, end - start))) return false;
    start = end + 1;
  }
  return true;
}

bool IsSafePart(std::wstring_view part) {
  if (IsDotsOnlyPart(part) || IsDeviceName(part)) return false;
  if (std::any_of(part.begin(), part.end(), IsForbiddenCharacter)) return false;
  for (const wchar_t* suffix : {kPendingSuffix, kBackupSuffix, L".~jnl"}) {
    if (EndsWithFolded(WithoutTrailingDotsAndBlanks(part), suffix)) return false;
  }
  return true;
}

}  // namespace

bool IsDeviceName(std::wstring_view part) {
  // Windows takes the text before the first dot, blanks cut, as the device.
  std::wstring base(part.substr(0, part.find(L'.')));
  while (!base.empty() && base.back() == L' ') base.pop_back();
  std::transform(base.begin(), base.end(), base.begin(), Folded);
  static const std::array<const wchar_t*, 6> kPlain = {L"con", L"prn", L"aux", L"nul", L"conin$", L"conout$"};
  if (std::find_if(kPlain.begin(), kPlain.end(), [&](const wchar_t* d) { return base == d; }) != kPlain.end()) {
    return true;
  }
  // COM1 to COM9 and LPT1 to LPT9 (also with the superscript digits).
  if (base.size() != 4 || (base.compare(0, 3, L"com") != 0 && base.compare(0, 3, L"lpt") != 0)) return false;
  const wchar_t digit = base[3];
  return (digit >= L'1' && digit <= L'9') || digit == L'\u00b9' || digit == L'\u00b2' || digit == L'\u00b3';
}

std::wstring EntryNameKey(std::wstring_view name) {
  std::wstring key;
  EveryPart(name, [&](std::wstring_view part) {
    part = WithoutTrailingDotsAndBlanks(part);
    if (part.empty()) return true;  // "", "." and "a.\" parts add nothing
    if (!key.empty()) key += L'\\';
    for (wchar_t c : part) key += Folded(c);
    return true;
  });
  return key;
}

std::wstring NormaliseEntryName(std::wstring_view name) {
  std::wstring out(name);
  std::replace(out.begin(), out.end(), L'/', L'\\');
  return out;
}

bool IsSafeEntryName(std::wstring_view name) {
  if (name.empty() || IsSeparator(name.front())) return false;
  if (name.find(L':') != std::wstring_view::npos) return false;
  if (!EveryPart(name, IsSafePart)) return false;
  // A name that is nothing but "." parts names the folder itself.
  return !EntryNameKey(name).empty();
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

std::wstring PendingPathFor(std::wstring_view target) { return std::wstring(target) + kPendingSuffix; }

std::wstring BackupPathFor(std::wstring_view target) { return std::wstring(target) + kBackupSuffix; }

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
