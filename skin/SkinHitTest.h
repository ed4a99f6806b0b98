#pragma once
// What a point over a skinned window's frame means: a caption button, a
// resize zone, the caption, the client area or the border.
#include "skin/WindowSkin.h"

namespace corvane {

enum class ESkinHit {
  kSystemMenu, kMinimise, kMaximise, kClose,
  kTopLeft, kTop, kTopRight, kLeft, kRight, kBottomLeft, kBottom, kBottomRight,
  kCaption, kClient, kBorder
};

struct SSkinWindowState {
  SSkinRect window;  // screen coordinates
  bool sizingFrame = false;
  bool maximised = false;
  int captionButtonWidth = 0;  // the system's; the size-grip square at the bottom right
};

// An anchor placed on the window: a negative x counts from the right edge, a
// negative y from the bottom edge; the size stays.
SSkinRect PlaceAnchor(const SSkinRect& anchor, const SSkinRect& window);

// The caption button (kAnchorSystem .. kAnchorClose) under the point, or 0.
int CaptionButtonAt(const SWindowSkin& skin, const SSkinRect& window, int x, int y);

ESkinHit HitTestSkin(const SWindowSkin& skin, const SSkinWindowState& state, int x, int y);

}  // namespace corvane
