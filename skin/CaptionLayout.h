#pragma once
// Where and how the caption text of a skinned window is drawn.
#include <string>
#include <string_view>

#include "skin/WindowSkin.h"

namespace corvane {

struct SSkinPoint {
  int x = 0, y = 0;
  bool operator==(const SSkinPoint& o) const { return x == o.x && y == o.y; }
};

// The caption's box in window coordinates: a negative x or right counts
// from the window's right edge.
SSkinRect CaptionTextBox(const SWindowSkin& skin, int windowWidth);

// Top-left corner of a text of the given extent in the box, by alignment;
// the text never starts left of the box's first pixel.
SSkinPoint CaptionTextOrigin(const SSkinRect& box, ECaptionAlign align, int textWidth, int textHeight);

// The text as shown: in capitals when the skin asks for them.
std::wstring CaptionText(std::wstring_view windowText, bool caps);

// The caption font's character height in pixels on a screen of `dpi`: a
// size in tenths of a point is converted (90pt is a 9-point font).
int CaptionFontHeight(const SCaptionFont& font, int dpi);

// Offsets at which the outline colour is drawn around the text.
extern const SSkinPoint kCaptionOutlineOffsets[8];

}  // namespace corvane
