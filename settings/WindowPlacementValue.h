#pragma once
// The stored window position ("Placement1", "SBPlacement"): exactly 44 bytes,
// the platform's window-placement record as eleven little-endian 32-bit
// fields: length (44), flags, show state, minimised x, y, maximised x, y,
// normal rectangle left, top, right, bottom (screen coordinates).
#include <cstdint>

#include "settings/PreferenceValue.h"

namespace corvane {

struct SWindowPlacementValue {
  static constexpr uint32_t kSize = 44;
  static constexpr uint32_t kFlagRestoreToMaximized = 2;
  static constexpr uint32_t kShowNormal = 1;
  static constexpr uint32_t kShowMaximized = 3;

  uint32_t length = kSize;
  uint32_t flags = 0;
  uint32_t showState = kShowNormal;
  int32_t minX = 0, minY = 0;
  int32_t maxX = 0, maxY = 0;
  int32_t left = 0, top = 0, right = 0, bottom = 0;

  bool operator==(const SWindowPlacementValue& o) const;
};

TByteVector EncodeWindowPlacement(const SWindowPlacementValue& placement);
// A value of any size other than 44 bytes is ignored: returns false and
// leaves `placement` unchanged.
bool DecodeWindowPlacement(const TByteVector& bytes, SWindowPlacementValue& placement);

}  // namespace corvane
