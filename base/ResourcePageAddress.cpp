#include "base/ResourcePageAddress.h"

namespace corvane {
namespace {

std::wstring PlainPath(const std::wstring& path) {
  static const std::wstring kLongUnc = L"\\\\?\\UNC\\";
  static const std::wstring kLong = L"\\\\?\\";
  if (path.compare(0, kLongUnc.size(), kLongUnc) == 0) return L"\\\\" + path.substr(kLongUnc.size());
  if (path.compare(0, kLong.size(), kLong) == 0) return path.substr(kLong.size());
  return path;
}

}  // namespace

std::wstring ResourcePageAddress(const std::wstring& modulePath, const std::wstring& pageName) {
  if (modulePath.empty() || pageName.empty()) return std::wstring();
  return L"res://" + PlainPath(modulePath) + L"/" + pageName;
}

}  // namespace corvane
