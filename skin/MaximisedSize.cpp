#include "skin/MaximisedSize.h"

#include <algorithm>

namespace corvane {

SSkinPlacement MaximisedPlacement(const SWindowSkin& skin, int workWidth, int workHeight) {
  const SFrameThickness t = FrameThickness(skin);
  const SSkinQuad& crop = skin.maximiseCrop;
  SSkinPlacement p;
  p.x = SubClamped(0, crop.a < 0 ? t.left : crop.a);
  p.y = SubClamped(0, crop.b < 0 ? t.top : crop.b);
  p.width = AddClamped(workWidth, crop.c < 0 ? t.right : crop.c);
  p.height = AddClamped(workHeight, crop.d < 0 ? t.bottom : crop.d);
  return p;
}

SSkinSize MinimumTrackSize(const SWindowSkin& skin) {
  return SSkinSize{std::max(320, skin.minimumWidth), std::max(240, skin.minimumHeight)};
}

}  // namespace corvane
