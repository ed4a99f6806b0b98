#include "skin/WindowRegionPlan.h"

#include <optional>
#include <string>

namespace corvane {
namespace {

std::optional<ERegionShape> ShapeOf(const std::string& type) {
  if (type == "rectangle") return ERegionShape::kRectangle;
  if (type == "ellipse") return ERegionShape::kEllipse;
  if (type == "roundRect") return ERegionShape::kRoundRect;
  return std::nullopt;
}

std::optional<ERegionCombine> CombineOf(const std::string& combine) {
  if (combine == "and") return ERegionCombine::kAnd;
  if (combine == "copy") return ERegionCombine::kCopy;
  if (combine == "diff") return ERegionCombine::kDiff;
  if (combine == "or") return ERegionCombine::kOr;
  if (combine == "xor") return ERegionCombine::kXor;
  return std::nullopt;
}

// A negative number counts back from the far edge plus one: -1 is the
// window's width (or height), the exclusive edge of the whole window.
int FromEdge(int value, int extent) { return value < 0 ? AddClamped(AddClamped(extent, 1), value) : value; }

SSkinRect ShapeRect(const SRegionShape& shape, int width, int height) {
  if (!shape.rect) return SSkinRect{0, 0, AddClamped(width, 1), AddClamped(height, 1)};
  const SSkinQuad& r = *shape.rect;
  return SSkinRect{FromEdge(r.a, width), FromEdge(r.b, height), FromEdge(r.c, width), FromEdge(r.d, height)};
}

}  // namespace

std::vector<SRegionStep> PlanWindowRegion(const SWindowSkin& skin, int width, int height, bool maximised) {
  std::vector<SRegionStep> steps;
  if (maximised) return steps;
  if (!skin.regionPresent) {
    steps.push_back(SRegionStep{ERegionShape::kRectangle, {0, 0, AddClamped(width, 1), AddClamped(height, 1)}});
    return steps;
  }
  for (const SRegionShape& shape : skin.region) {
    const auto kind = ShapeOf(shape.type);
    if (!kind) continue;
    ERegionCombine combine = ERegionCombine::kStart;
    if (!steps.empty()) {
      const auto how = CombineOf(shape.combine);
      if (!how) continue;
      combine = *how;
    }
    steps.push_back(SRegionStep{*kind, ShapeRect(shape, width, height), shape.size.a, shape.size.b, combine});
  }
  return steps;
}

}  // namespace corvane
