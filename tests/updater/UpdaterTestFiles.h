#pragma once
// Files the updater tests read and write: fixtures and whole-file helpers.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace corvane::updater_test {

inline std::filesystem::path Fixture(const char* name) {
  return std::filesystem::path(CORVANE_TEST_DATA) / "updater" / name;
}

inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes text as the whole file, creating its folder first.
inline void WriteAll(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << text;
}

}  // namespace corvane::updater_test
