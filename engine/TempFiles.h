#pragma once
// Temporary files and folders of the join engine: the concat list and the
// x264 working folder.
//
// The primitives (first block) have a Windows and a native implementation;
// the rest is built on them.
#include <string>

namespace corvane {

// The system's folder for temporary files, with a trailing separator.
std::wstring GetTempFolder();
// Creates a new empty file "<folder><prefix><hex digits>.tmp" under a name
// no file had and returns its path; empty when none could be made. (Windows
// may write the extension as ".TMP".)
std::wstring CreateUniqueTempFile(const std::wstring& folder, const std::wstring& prefix);
// Writes bytes as the whole content of an existing temporary file, opened
// with exclusive access, and flushes it.
bool WriteTempFileContent(const std::wstring& path, const std::string& bytes);
enum class ECreateNew { kCreated, kExists, kFailed };
// Creates an empty file under a name no file has yet (never replaces one).
ECreateNew CreateNewFile(const std::wstring& path);
// Deletes a file; true when no file of that name remains.
bool RemoveFile(const std::wstring& path);
// Deletes a folder with its contents; true when it is gone.
bool RemoveFolderTree(const std::wstring& path);

// A unique name in folder with its ".tmp" replaced by newExtension (dot
// included); the empty file made to reserve the name is deleted again.
// Empty when no name could be made.
std::wstring MakeUniqueTempName(const std::wstring& folder, const std::wstring& newExtension);

// Creates an empty file at preferred, or, when a file of that name exists,
// at the first free "<folder><title>~N<extension>" (N from 2 on), and returns
// its path: the caller owns that file and may write over it. Empty when no
// file could be made. Never touches a file that existed before.
std::wstring ReserveFreePath(const std::wstring& preferred);

// Makes the folder in which the two x264 passes keep their statistics:
// output folder + a unique temporary title, with a trailing separator.
// Empty when it could not be made.
std::wstring MakeX264WorkingFolder(const std::wstring& outputPath);

}  // namespace corvane
