#include "engine/TempFiles.h"

#include <filesystem>
#include <system_error>

#include "base/FsPath.h"
#include "engine/PathParts.h"

namespace corvane {
namespace {

// Windows names its unique files "*.TMP", Wine "*.tmp": match either.
size_t FindTmpExtension(const std::wstring& path) {
  const std::wstring extension = ExtensionOf(path);
  if (extension.size() != 4) return std::wstring::npos;
  for (size_t i = 1; i < 4; ++i) {
    if (extension[i] != L"tmp"[i - 1] && extension[i] != L"TMP"[i - 1]) return std::wstring::npos;
  }
  return path.size() - 4;
}

}  // namespace

std::wstring MakeUniqueTempName(const std::wstring& folder, const std::wstring& newExtension) {
  const std::wstring reserved = CreateUniqueTempFile(folder, L"");
  if (reserved.empty()) return {};
  RemoveFile(reserved);
  const size_t tmp = FindTmpExtension(reserved);
  if (tmp == std::wstring::npos) return reserved + newExtension;
  return reserved.substr(0, tmp) + newExtension;
}

std::wstring ReserveFreePath(const std::wstring& preferred) {
  // Enough tries for any folder a person keeps; a folder that refuses new
  // files fails at once.
  constexpr int kMaxTries = 1000;
  const std::wstring stem = FolderOf(preferred) + TitleOf(preferred);
  const std::wstring extension = ExtensionOf(preferred);
  for (int n = 1; n <= kMaxTries; ++n) {
    const std::wstring path = n == 1 ? preferred : stem + L"~" + std::to_wstring(n) + extension;
    switch (CreateNewFile(path)) {
      case ECreateNew::kCreated: return path;
      case ECreateNew::kFailed: return {};
      case ECreateNew::kExists: break;
    }
  }
  return {};
}

std::wstring MakeX264WorkingFolder(const std::wstring& outputPath) {
  const std::wstring outputFolder = FolderOf(outputPath);
  const std::wstring reserved = MakeUniqueTempName(outputFolder, L"");
  if (reserved.empty()) return {};
  const std::wstring folder = outputFolder + TitleOf(reserved);
  std::error_code error;
  std::filesystem::create_directory(ToFsPath(folder), error);
  if (error || !std::filesystem::is_directory(ToFsPath(folder), error)) return {};
  const wchar_t separator = outputFolder.empty() ? L'/' : outputFolder.back();
  return folder + separator;
}

}  // namespace corvane
