#include "skin/SkinHitTest.h"

namespace corvane {
namespace {

// Left, middle or right column of the resize zones, the same rule for rows.
ESkinHit ResizeZone(const SSkinRect& w, const SSkinQuad& border, int x, int y) {
  const bool top = y < AddClamped(w.top, border.b);
  const bool bottom = y >= SubClamped(w.bottom, border.d);
  if (x < AddClamped(w.left, border.a)) {
    return top ? ESkinHit::kTopLeft : bottom ? ESkinHit::kBottomLeft : ESkinHit::kLeft;
  }
  if (x >= SubClamped(w.right, border.c)) {
    return top ? ESkinHit::kTopRight : bottom ? ESkinHit::kBottomRight : ESkinHit::kRight;
  }
  if (top) return ESkinHit::kTop;
  if (bottom) return ESkinHit::kBottom;
  return ESkinHit::kClient;  // not a zone; the caller goes on
}

}  // namespace

SSkinRect PlaceAnchor(const SSkinRect& anchor, const SSkinRect& window) {
  const int left = AddClamped(anchor.left < 0 ? window.right : window.left, anchor.left);
  const int top = AddClamped(anchor.top < 0 ? window.bottom : window.top, anchor.top);
  return SSkinRect{left, top, AddClamped(left, anchor.Width()), AddClamped(top, anchor.Height())};
}

int CaptionButtonAt(const SWindowSkin& skin, const SSkinRect& window, int x, int y) {
  for (int anchor = kAnchorSystem; anchor <= kAnchorClose; ++anchor) {
    if (skin.HasAnchor(anchor) && PlaceAnchor(skin.anchors[anchor].rect, window).Contains(x, y)) return anchor;
  }
  return 0;
}

ESkinHit HitTestSkin(const SWindowSkin& skin, const SSkinWindowState& state, int x, int y) {
  static const ESkinHit kButtonHits[] = {ESkinHit::kClient, ESkinHit::kSystemMenu, ESkinHit::kMinimise,
                                         ESkinHit::kMaximise, ESkinHit::kClose};
  const SSkinRect& w = state.window;
  if (const int button = CaptionButtonAt(skin, w, x, y)) return kButtonHits[button];

  if (state.sizingFrame && !state.maximised) {
    const int grip = state.captionButtonWidth;
    if (x >= SubClamped(w.right, grip) && y >= SubClamped(w.bottom, grip)) return ESkinHit::kBottomRight;
    const ESkinHit zone = ResizeZone(w, skin.resizeBorder, x, y);
    if (zone != ESkinHit::kClient) return zone;
  }

  const SFrameThickness t = FrameThickness(skin);
  const SSkinRect inner{AddClamped(w.left, t.left), AddClamped(w.top, t.top), SubClamped(w.right, t.right),
                        SubClamped(w.bottom, t.bottom)};
  if (y < inner.top) return ESkinHit::kCaption;
  return inner.Contains(x, y) ? ESkinHit::kClient : ESkinHit::kBorder;
}

}  // namespace corvane
