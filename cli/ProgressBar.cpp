#include "cli/ProgressBar.h"

#include <algorithm>
#include <cstdio>

namespace corvane {

std::string RenderProgressBar(int position, int width) {
  const int percent = std::clamp(position, 0, 100);
  const int filled = percent * width / 100;
  std::string bar = "[";
  bar.append(static_cast<size_t>(filled), '#');
  bar.append(static_cast<size_t>(width - filled), '.');
  char tail[8];
  std::snprintf(tail, sizeof tail, "] %3d%%", percent);
  return bar + tail;
}

}  // namespace corvane
