#include "engine/JoinHost.h"

namespace corvane {

std::wstring FillMessageArgs(std::wstring text, const std::vector<std::wstring>& args) {
  // One pass from left to right, so that an argument holding "%2" stays as it is.
  std::wstring filled;
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t number = i + 1 < text.size() ? static_cast<size_t>(text[i + 1] - L'1') : args.size();
    if (text[i] == L'%' && number < args.size() && number < 9) {
      filled += args[number];
      ++i;
    } else {
      filled += text[i];
    }
  }
  return filled;
}

}  // namespace corvane
