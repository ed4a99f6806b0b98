#pragma once
// A one-line progress bar for a terminal.
#include <string>

namespace corvane {

// "[##########..........]  50%" for a position of 0 to 100 (clamped for
// drawing: the join may report a little more than 100). width is the number
// of cells between the brackets.
std::string RenderProgressBar(int position, int width = 40);

}  // namespace corvane
