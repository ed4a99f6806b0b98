#pragma once
// Where the preview window's position is stored ("Settings" / "Placement1");
// the rules for it are those of every stored window position.
#include "settings/WindowPlacementRules.h"

namespace corvane {

constexpr wchar_t kPreviewPlacementSection[] = L"Settings";
constexpr wchar_t kPreviewPlacementKey[] = L"Placement1";

}  // namespace corvane
