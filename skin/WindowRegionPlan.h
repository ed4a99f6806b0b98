#pragma once
// The window region of a skinned window as data: the shapes, in window
// coordinates, and how each joins the region built so far. The Windows half
// creates one region per step and combines them; the first step starts the
// region.
#include <vector>

#include "skin/WindowSkin.h"

namespace corvane {

enum class ERegionShape { kRectangle, kEllipse, kRoundRect };
enum class ERegionCombine { kStart, kAnd, kCopy, kDiff, kOr, kXor };

struct SRegionStep {
  ERegionShape shape = ERegionShape::kRectangle;
  SSkinRect rect;  // right and bottom exclusive, as the system's regions take them
  int cornerWidth = 0, cornerHeight = 0;  // round rectangles only
  ERegionCombine combine = ERegionCombine::kStart;
};

// The region for a window of the given size. Without a region in the skin
// it is the whole window (0, 0, width + 1, height + 1), which cuts off the
// system's rounded corners. Shapes of an unknown type are skipped; a later
// shape with an unknown combine is dropped. No steps: the window gets no
// region (maximised, or a region in the skin without a usable shape).
std::vector<SRegionStep> PlanWindowRegion(const SWindowSkin& skin, int width, int height, bool maximised);

}  // namespace corvane
