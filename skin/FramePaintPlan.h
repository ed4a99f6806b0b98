#pragma once
// Where each part of a skinned frame is drawn, as a list of copies from the
// skin bitmap, so that drawing is one loop over the list: a copy whose
// destination is larger than its source is stretched, all others are plain
// copies. The caption buttons come first and are then kept out of the clip,
// so nothing is drawn twice under them.
#include <vector>

#include "skin/CaptionButtons.h"
#include "skin/WindowSkin.h"

namespace corvane {

struct SFrameBlit {
  int part = 0;
  SSkinRect dest;    // window coordinates
  SSkinRect source;  // in the skin bitmap
};

struct SFramePaintPlan {
  std::vector<SFrameBlit> blits;  // in drawing order
  std::vector<SSkinRect> buttons;  // drawn first, excluded from the clip afterwards
};

// The frame of a window of the given size in the active or inactive state.
// With captionRowOnly only the top row (buttons, top corners and the top
// edge) is planned: what a hover change or a new title repaints.
SFramePaintPlan PlanFramePaint(const SWindowSkin& skin, const CCaptionButtons& buttons, int width, int height,
                               bool active, bool captionRowOnly);

}  // namespace corvane
