#pragma once
// Which player page the preview window builds for a file, and how large its
// parts are for the window's size.
#include <cstdint>
#include <string_view>

namespace corvane {

enum EPreviewKind : int {
  // No page plays it (flv, mkv, webm, ...): the system's own player for
  // the type plays it instead of a preview window.
  kPreviewNone = 0,
  // The media player object's page: the Windows Media family (wmv, wma,
  // asf) and the other video types the system's media player object plays
  // without added codecs (mp4, mov, avi, mpg, 3gp, m2ts, ...).
  kPreviewWindowsMedia = 1,
  kPreviewRealMedia = 2,  // rmvb, rm
};

// The kind from the path's extension (the text after the last "." of the
// file name), compared without regard to case.
EPreviewKind PreviewKindOf(std::wstring_view path);

struct SPreviewGeometry {
  int barHeight = 0;     // the top bar's frame; 0 when the bar is off
  int playerWidth = 0;
  int playerHeight = 0;
};

// Sizes for a window of outer size width x height (pixels): bar 57, player
// height - 90 (RealMedia: - 150 for its status bar and control panel); with
// kProgramFlagNoBar in programFlags no bar and player height - 33. Player
// width - 8. A window too small for the margins gives 0, never a negative size.
SPreviewGeometry PreviewGeometryFor(EPreviewKind kind, int width, int height, uint8_t programFlags);

}  // namespace corvane
