#pragma once
// Applying the saved column layout to the file list's header and capturing
// the header back into it. Columns are known by their identity (the header
// item's data, the index they were built with), not their position.
#include <vector>

#include "settings/ColumnsInfo.h"

namespace corvane {

// One header item as the list reports it.
struct SHeaderColumn {
  int identity = 0;  // the item data: 0 "Order", 1 "Filename", 2 "File Path"
  int order = 0;     // display position
  int width = 0;     // pixels
};

struct SColumnLayoutPlan {
  // Order and width to give header item i (identities 0..n-1 in build order).
  std::vector<SHeaderColumn> placements;
  // Columns to delete, in this order, each index already corrected for the
  // deletions before it.
  std::vector<int> deletions;
};

// headerCount: the columns just built (identity = index).
SColumnLayoutPlan PlanColumnLayout(const TColumnLayout& saved, int headerCount);

// The layout to save: `columnCount` records, those of the existing header
// items filled from them (visible 1), the others kept with visible 0 so that
// a hidden column keeps its order and width.
void CaptureColumnLayout(TColumnLayout& saved, const std::vector<SHeaderColumn>& header, int columnCount);

}  // namespace corvane
