#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "base/F3DTestFiles.h"

namespace corvane::testing {

CScratchFolder::CScratchFolder() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  m_folder = std::filesystem::temp_directory_path() /
             ("corvane-base-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(m_folder);
}

CScratchFolder::~CScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(m_folder, ignored);
}

std::wstring CScratchFolder::PathOf(const std::wstring& name) const { return (m_folder / name).wstring(); }

std::string ReadWholeFile(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read test file");
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write test file");
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace corvane::testing
