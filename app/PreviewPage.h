#pragma once
// The pages the preview window shows: a bar frame with the vendor's player
// bar, then a player for the file (Windows Media Player, RealPlayer, or the
// Flash media player fed with an ASX playlist).
//
// Pages and playlists are UTF-8 documents that say so. Every path and text
// they hold is escaped for where it stands (markup, script string, URL), and
// all of it is written in UTF-8 too: bytes of another code page inside a
// UTF-8 page would turn every non-ASCII letter of a path into the wrong
// character and the player would look for a file that does not exist.
#include <string>
#include <string_view>
#include <vector>

#include "app/PreviewLayout.h"

namespace corvane {

// Class ids of the player objects the pages create.
constexpr wchar_t kWindowsMediaPlayerClassId[] = L"6BF52A52-394A-11d3-B153-00C04F79FAA6";
constexpr wchar_t kRealPlayerClassId[] = L"CFCDAA03-8BE4-11cf-B84B-0020AFBBCCFA";
constexpr wchar_t kFlashPlayerClassId[] = L"D27CDB6E-AE6D-11cf-96B8-444553540000";

// The class id of the object the page of this kind plays the file with.
const wchar_t* PlayerClassIdOf(EPreviewKind kind);

struct SPreviewPageInput {
  std::vector<std::wstring> files;  // paths to play; the pages use the first
  EPreviewKind kind = kPreviewFlash;
  SPreviewGeometry geometry;
  std::wstring barAddress;     // PreviewBarAddress(...)
  std::wstring programFolder;  // with its trailing separator: swfobject.js, mediaplayer.swf
  std::wstring playlistPath;   // the Flash page's playlist (BuildAsxPlaylist written to a file)
};

// vendor web address (scheme and host, a trailing "/" is dropped) +
// "/api_playtop.php?lang=" + the language name in UTF-8, URL-escaped +
// "&type=flv".
std::wstring PreviewBarAddress(std::wstring_view vendorWebAddress, std::wstring_view languageName);

// The page for input.kind, as the UTF-8 bytes of the file to write.
std::string BuildPreviewPage(const SPreviewPageInput& input);

// ASX 3.0 playlist in UTF-8: an "encoding" parameter "utf-8", the first
// file's title (its name without the extension) and one entry per file in
// order, each referring to its file by file URL. Empty list: no entries.
std::string BuildAsxPlaylist(const std::vector<std::wstring>& files);

// The file's name without folder and extension.
std::wstring FileTitleOf(std::wstring_view path);

}  // namespace corvane
