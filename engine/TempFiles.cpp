#include "engine/TempFiles.h"

#include <cstdio>
#include <filesystem>
#include <random>
#include <regex>
#include <system_error>
#include <vector>

#include "base/AppCommonPath.h"
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

std::wstring CreateUniqueFolder(const std::wstring& parent, unsigned firstNumber) {
  constexpr unsigned kLastNumber = 0xFFFF;
  const wchar_t separator = parent.empty() ? L'/' : parent.back();
  for (unsigned step = 0; step < kLastNumber; ++step) {
    const unsigned number = (firstNumber - 1 + step) % kLastNumber + 1;
    wchar_t digits[8];
    std::swprintf(digits, 8, L"%X", number);
    const std::wstring folder = parent + digits;
    switch (CreateNewFolder(folder)) {
      case ECreateNew::kCreated: return folder + separator;
      case ECreateNew::kFailed: return {};
      case ECreateNew::kExists: break;  // the user's, or another job's: never ours
    }
  }
  return {};
}

std::wstring MakeX264WorkingFolder(const std::wstring& outputPath) {
  return CreateUniqueFolder(FolderOf(outputPath), std::random_device{}() % 0xFFFF + 1);
}

bool RemoveX264WorkingFolder(const std::wstring& folder) {
  // The tool names the statistics after the video's output stream; the
  // encoder writes each file under a ".temp" name first.
  static const std::wregex kStatistics(L"ffmpeg2pass-[0-9]+\\.log(\\.mbtree)?(\\.temp)?");
  std::wstring prefix = folder;
  if (!prefix.empty() && prefix.back() != L'\\' && prefix.back() != L'/') prefix += kPathSeparator;
  for (const std::wstring& name : FileNamesIn(folder)) {
    if (std::regex_match(name, kStatistics)) RemoveFile(prefix + name);
  }
  return RemoveEmptyFolder(folder);
}

}  // namespace corvane
