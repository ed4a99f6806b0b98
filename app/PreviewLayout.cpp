#include "app/PreviewLayout.h"

#include <algorithm>
#include <cwctype>
#include <iterator>
#include <string>

#include "app/ProgramFlags.h"

namespace corvane {
namespace {

constexpr int kBarHeight = 57;
constexpr int kPlayerWidthMargin = 8;
constexpr int kPlayerHeightMargin = 90;
constexpr int kRealMediaHeightMargin = 150;  // also room for the 30 px status bar and control panel
constexpr int kNoBarHeightMargin = 33;

// The video types the system's media player object (version 12, in every
// Windows since 7 that has the media features) plays with the codecs it
// ships: the Windows Media family, AVI, MPEG-1/2, QuickTime, MP4/3GP and
// MPEG-2 transport streams. Not FLV, which only the retired Flash player
// page could show.
const std::wstring_view kMediaPlayerTypes[] = {
    L"wmv", L"wma", L"asf", L"wm",  L"avi", L"mpg", L"mpeg", L"m1v",  L"mpe",  L"mov",
    L"mp4", L"m4v", L"mp4v", L"3gp", L"3gpp", L"3g2", L"3gp2", L"m2ts",
};

std::wstring LowerExtension(std::wstring_view path) {
  const size_t nameStart = path.find_last_of(L"\\/");
  const std::wstring_view name = nameStart == std::wstring_view::npos ? path : path.substr(nameStart + 1);
  const size_t dot = name.rfind(L'.');
  if (dot == std::wstring_view::npos) return std::wstring();
  std::wstring extension(name.substr(dot + 1));
  for (wchar_t& c : extension) c = static_cast<wchar_t>(std::towlower(c));
  return extension;
}

}  // namespace

EPreviewKind PreviewKindOf(std::wstring_view path) {
  const std::wstring extension = LowerExtension(path);
  if (std::find(std::begin(kMediaPlayerTypes), std::end(kMediaPlayerTypes), extension) != std::end(kMediaPlayerTypes)) {
    return kPreviewWindowsMedia;
  }
  if (extension == L"rmvb" || extension == L"rm") return kPreviewRealMedia;
  return kPreviewNone;
}

SPreviewGeometry PreviewGeometryFor(EPreviewKind kind, int width, int height, uint8_t programFlags) {
  SPreviewGeometry geometry;
  int heightMargin = kind == kPreviewRealMedia ? kRealMediaHeightMargin : kPlayerHeightMargin;
  geometry.barHeight = kBarHeight;
  if (programFlags & kProgramFlagNoBar) {
    geometry.barHeight = 0;
    heightMargin = kNoBarHeightMargin;
  }
  geometry.playerWidth = std::max(0, width - kPlayerWidthMargin);
  geometry.playerHeight = std::max(0, height - heightMargin);
  return geometry;
}

}  // namespace corvane
