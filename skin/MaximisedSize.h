#pragma once
// The sizes a skinned window reports for maximising and resizing.
#include "skin/WindowSkin.h"

namespace corvane {

struct SSkinPlacement {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const SSkinPlacement& o) const {
    return x == o.x && y == o.y && width == o.width && height == o.height;
  }
};

// Position (relative to the work area) and size of the maximised window on a
// work area of the given size. The skin's maximiseCrop says how much of the
// frame lies outside the work area; a negative number stands for the frame
// thickness on that side.
SSkinPlacement MaximisedPlacement(const SWindowSkin& skin, int workWidth, int workHeight);

// The smallest size the user can drag the window to: at least 320 × 240.
struct SSkinSize {
  int width = 0, height = 0;
};
SSkinSize MinimumTrackSize(const SWindowSkin& skin);

}  // namespace corvane
