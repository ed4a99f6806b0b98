#include "engine/PathParts.h"

#include "base/TextConvert.h"

namespace corvane {
namespace {

size_t FileNameStart(const std::wstring& path) {
  const size_t sep = path.find_last_of(L"\\/");
  return sep == std::wstring::npos ? 0 : sep + 1;
}

}  // namespace

std::wstring FolderOf(const std::wstring& path) {
  return path.substr(0, FileNameStart(path));
}

std::wstring TitleOf(const std::wstring& path) {
  const std::wstring name = path.substr(FileNameStart(path));
  const size_t dot = name.rfind(L'.');
  return dot == std::wstring::npos ? name : name.substr(0, dot);
}

std::wstring ExtensionOf(const std::wstring& path) {
  const std::wstring name = path.substr(FileNameStart(path));
  const size_t dot = name.rfind(L'.');
  return dot == std::wstring::npos ? std::wstring() : name.substr(dot);
}


}  // namespace corvane
