#pragma once
// The rules for a window's stored position (a 44-byte placement value):
// when a stored value is used, and what is stored at close. Shared by the
// preview window ("Placement1") and the stand-alone browser window
// ("SBPlacement").
#include <optional>

#include "settings/PreferenceValue.h"
#include "settings/WindowPlacementValue.h"

namespace corvane {

struct SScreenArea {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// The placement to apply, or nothing (the window then opens in its default
// way): the value must be exactly 44 bytes, its length field 44, and its
// normal rectangle must overlap the screen area by at least one pixel. Any
// show state other than "maximised" is applied as "normal", so a stored
// hidden or minimised state never makes the window open out of sight.
std::optional<SWindowPlacementValue> StoredPlacementToApply(const TByteVector& stored, const SScreenArea& screen);

// What to store for the window's current placement: flags 2 and show state
// 3 when it is maximised, else flags 0 and show state 1; length 44.
SWindowPlacementValue PlacementToStore(SWindowPlacementValue current, bool maximized);

}  // namespace corvane
