#pragma once
// Temporary files and folders of the join engine: the concat list and the
// x264 working folder. Every one of them is created by a call that fails
// when the name is taken, so the job never takes over a file or folder of
// the user's, and removes only what it made.
//
// The primitives (first block) have a Windows and a native implementation;
// the rest is built on them.
#include <string>
#include <vector>

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
// Creates a folder under a name nothing has yet; kExists when a file or
// folder of that name is there (it is left as it is).
ECreateNew CreateNewFolder(const std::wstring& path);
// Deletes a file; true when no file of that name remains.
bool RemoveFile(const std::wstring& path);
// The names of the plain files directly in folder (also a folder deeper
// than MAX_PATH, named in its "\\?\" form).
std::vector<std::wstring> FileNamesIn(const std::wstring& folder);
// Removes folder when it is empty; true when it is gone.
bool RemoveEmptyFolder(const std::wstring& folder);
// Deletes a folder with its contents; true when it is gone. The join never
// uses it: a folder it made may have been given files it did not make.
bool RemoveFolderTree(const std::wstring& path);

// A unique name in folder with its ".tmp" replaced by newExtension (dot
// included); the empty file made to reserve the name is deleted again, so
// this is only a name that was free: whoever creates something there must
// do so exclusively. Empty when no name could be made.
std::wstring MakeUniqueTempName(const std::wstring& folder, const std::wstring& newExtension);

// Creates an empty file at preferred, or, when a file of that name exists,
// at the first free "<folder><title>~N<extension>" (N from 2 on), and returns
// its path: the caller owns that file and may write over it. Empty when no
// file could be made. Never touches a file that existed before.
std::wstring ReserveFreePath(const std::wstring& preferred);

// Creates a new folder in parent (which ends with a separator, or is empty
// for the current folder) named by a hexadecimal number from 1 to FFFF: the
// first number from firstNumber on (wrapping around) under which nothing
// exists yet. Returns it with a trailing separator; empty when every name
// is taken or the folder cannot be written to.
std::wstring CreateUniqueFolder(const std::wstring& parent, unsigned firstNumber);

// Makes the folder in which the two x264 passes keep their statistics: a
// new folder (CreateUniqueFolder from a random number) beside the output,
// with a trailing separator. Empty when it could not be made.
std::wstring MakeX264WorkingFolder(const std::wstring& outputPath);

// Removes what the two passes write into their working folder (the
// statistics files "ffmpeg2pass-<stream>.log" and ".log.mbtree", and their
// ".temp" names), then the folder itself if nothing else is in it. Anything
// else is left where it is. True when the folder is gone.
bool RemoveX264WorkingFolder(const std::wstring& folder);

}  // namespace corvane
