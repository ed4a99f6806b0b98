#pragma once
// Splitting file paths the way the join engine names its files.
//
// Both '\\' and '/' separate folders: Windows accepts either, and the native
// build only knows '/'. Folder parts keep their trailing separator.
#include <filesystem>
#include <string>

namespace corvane {

// Everything up to and including the last separator; empty when there is none.
std::wstring FolderOf(const std::wstring& path);
// The file name without folder and extension.
std::wstring TitleOf(const std::wstring& path);
// From the last '.' of the file name on, the dot included; empty when none.
std::wstring ExtensionOf(const std::wstring& path);

}  // namespace corvane
