#pragma once
#include <string>

namespace corvane {
// The string type of the tool runner's handlers and other byte/char buffers.
template <class TChar>
using TStdStr = std::basic_string<TChar>;
}  // namespace corvane
