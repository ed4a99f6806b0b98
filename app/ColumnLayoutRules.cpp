#include "app/ColumnLayoutRules.h"

#include <algorithm>

namespace corvane {

SColumnLayoutPlan PlanColumnLayout(const TColumnLayout& saved, int headerCount) {
  SColumnLayoutPlan plan;
  const int known = std::min(headerCount, static_cast<int>(saved.size()));
  for (int i = 0; i < known; ++i) plan.placements.push_back({i, saved[i].order, saved[i].width});
  int deleted = 0;
  for (int i = 0; i < known; ++i) {
    if (saved[i].visible != 0) continue;
    plan.deletions.push_back(i - deleted);
    ++deleted;
  }
  return plan;
}

void CaptureColumnLayout(TColumnLayout& saved, const std::vector<SHeaderColumn>& header, int columnCount) {
  saved.resize(static_cast<size_t>(columnCount));
  for (SColumnInfo& record : saved) record.visible = 0;
  for (const SHeaderColumn& column : header) {
    if (column.identity < 0 || column.identity >= columnCount) continue;  // not one of ours
    SColumnInfo& record = saved[static_cast<size_t>(column.identity)];
    record.order = column.order;
    record.width = column.width;
    record.visible = 1;
  }
}

}  // namespace corvane
