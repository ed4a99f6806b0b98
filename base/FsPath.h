#pragma once
// Between the programs' wide text and std::filesystem paths.
#include <filesystem>
#include <string>

namespace corvane {

// On Windows the path takes the wide text as it is. Elsewhere libstdc++
// would convert wide text through the global locale, which is "C" in a test
// run, while the file system speaks UTF-8: the text goes through UTF-8.
std::filesystem::path ToFsPath(const std::wstring& path);
std::wstring FromFsPath(const std::filesystem::path& path);

}  // namespace corvane
