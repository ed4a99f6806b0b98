#include "settings/WindowPlacementRules.h"

#include <algorithm>

namespace corvane {
namespace {

bool Overlaps(const SWindowPlacementValue& placement, const SScreenArea& screen) {
  const int64_t left = std::max<int64_t>(placement.left, screen.left);
  const int64_t right = std::min<int64_t>(placement.right, screen.right);
  const int64_t top = std::max<int64_t>(placement.top, screen.top);
  const int64_t bottom = std::min<int64_t>(placement.bottom, screen.bottom);
  return left < right && top < bottom;
}

}  // namespace

std::optional<SWindowPlacementValue> StoredPlacementToApply(const TByteVector& stored, const SScreenArea& screen) {
  SWindowPlacementValue placement;
  if (!DecodeWindowPlacement(stored, placement)) return std::nullopt;
  if (placement.length != SWindowPlacementValue::kSize) return std::nullopt;
  if (!Overlaps(placement, screen)) return std::nullopt;
  if (placement.showState != SWindowPlacementValue::kShowMaximized) {
    placement.showState = SWindowPlacementValue::kShowNormal;
  }
  return placement;
}

SWindowPlacementValue PlacementToStore(SWindowPlacementValue current, bool maximized) {
  current.length = SWindowPlacementValue::kSize;
  current.flags = maximized ? SWindowPlacementValue::kFlagRestoreToMaximized : 0;
  current.showState = maximized ? SWindowPlacementValue::kShowMaximized : SWindowPlacementValue::kShowNormal;
  return current;
}

}  // namespace corvane
