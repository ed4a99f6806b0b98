#pragma once
// Readable, unique names for value-parameterised tests: "c<index>_<text>",
// with the text reduced to letters and digits (ctest names stay plain).
#include <string>
#include <string_view>

namespace corvane_test {

template <class Char>
std::string CaseName(size_t index, std::basic_string_view<Char> text) {
  std::string name = "c" + std::to_string(index) + "_";
  for (Char c : text.substr(0, 40)) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    name += plain ? static_cast<char>(c) : '_';
  }
  return name;
}

// Names a case by one of its text fields: CASE_NAME_BY(url).
#define CASE_NAME_BY(field)                                                         \
  [](const auto& info) {                                                            \
    return corvane_test::CaseName(info.index, std::basic_string_view(info.param.field)); \
  }

}  // namespace corvane_test
