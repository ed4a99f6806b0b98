#include "skin/WindowSkin.h"

#include <algorithm>
#include <cctype>

namespace corvane {
namespace {

const char* const kPartNames[kFramePartCount] = {
    "TopLeft", "Top", "TopRight", "TopLeftIA", "TopIA", "TopRightIA",
    "LeftTop", "Left", "LeftBottom", "RightTop", "Right", "RightBottom",
    "BottomLeft", "Bottom", "BottomRight", "System", "SystemHover", "SystemDown",
    "Minimise", "MinimiseHover", "MinimiseDown", "Maximise", "MaximiseHover", "MaximiseDown",
    "Close", "CloseHover", "CloseDown"};

const char* const kAnchorNames[kSkinAnchorCount] = {"Icon", "System", "Minimise", "Maximise", "Close"};

bool EqualAsciiNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

template <size_t N>
int IndexOfName(const char* const (&names)[N], std::string_view name) {
  for (size_t i = 0; i < N; ++i) {
    if (EqualAsciiNoCase(names[i], name)) return static_cast<int>(i);
  }
  return -1;
}

int PartHeight(const SWindowSkin& skin, int part) {
  return skin.HasPart(part) ? skin.parts[part].source.Height() : 0;
}

int PartWidth(const SWindowSkin& skin, int part) {
  return skin.HasPart(part) ? skin.parts[part].source.Width() : 0;
}

}  // namespace

int FramePartFromName(std::string_view name) { return IndexOfName(kPartNames, name); }
int SkinAnchorFromName(std::string_view name) { return IndexOfName(kAnchorNames, name); }

SFrameThickness FrameThickness(const SWindowSkin& skin) {
  SFrameThickness t;
  t.top = std::max({PartHeight(skin, kPartTopLeft), PartHeight(skin, kPartTop), PartHeight(skin, kPartTopRight)});
  t.left = PartWidth(skin, kPartLeft);
  t.right = PartWidth(skin, kPartRight);
  t.bottom = std::max(
      {PartHeight(skin, kPartBottomLeft), PartHeight(skin, kPartBottom), PartHeight(skin, kPartBottomRight)});
  return t;
}

int TopRowPart(const SWindowSkin& skin, int part, bool active) {
  if (active || part < kPartTopLeft || part > kPartTopRight) return part;
  const int inactive = part + (kPartTopLeftIA - kPartTopLeft);
  return skin.HasPart(inactive) ? inactive : part;
}

}  // namespace corvane
