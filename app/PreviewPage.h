#pragma once
// The pages the preview window shows: a bar frame with the vendor's player
// bar, then a player object for the file (Windows Media Player or
// RealPlayer).
//
// Pages are UTF-8 documents that say so. Every path and text they hold is
// escaped for where it stands, and all of it is written in UTF-8 too: bytes
// of another code page inside a UTF-8 page would turn every non-ASCII letter
// of a path into the wrong character and the player would look for a file
// that does not exist.
#include <string>
#include <string_view>
#include <vector>

#include "app/PreviewLayout.h"

namespace corvane {

// Class ids of the player objects the pages create.
constexpr wchar_t kWindowsMediaPlayerClassId[] = L"6BF52A52-394A-11d3-B153-00C04F79FAA6";
constexpr wchar_t kRealPlayerClassId[] = L"CFCDAA03-8BE4-11cf-B84B-0020AFBBCCFA";

// The class id of the object the page of this kind plays the file with;
// null for kPreviewNone, which has no page.
const wchar_t* PlayerClassIdOf(EPreviewKind kind);

struct SPreviewPageInput {
  std::vector<std::wstring> files;  // paths to play; the pages use the first
  EPreviewKind kind = kPreviewWindowsMedia;
  SPreviewGeometry geometry;
  std::wstring barAddress;  // PreviewBarAddress(...)
};

// vendor web address (scheme and host, a trailing "/" is dropped) +
// "/api_playtop.php?lang=" + the language name in UTF-8, URL-escaped +
// "&type=flv".
std::wstring PreviewBarAddress(std::wstring_view vendorWebAddress, std::wstring_view languageName);

// The page for input.kind, as the UTF-8 bytes of the file to write; empty
// for kPreviewNone.
std::string BuildPreviewPage(const SPreviewPageInput& input);

// The file's name without folder and extension.
std::wstring FileTitleOf(std::wstring_view path);

}  // namespace corvane
