#pragma once
// The "\\?\" form of a long path. Windows opens a path of MAX_PATH (260)
// characters or more only in that form, unless the program declares itself
// long-path aware and the machine's long-path policy is on; the form works on
// every Windows, and the tool (ffmpeg.exe) takes it as it is.
#include <string>

namespace corvane {

// "C:\..." becomes "\\?\C:\..." and "\\server\share\..." becomes
// "\\?\UNC\server\share\..." (separators as backslashes) when the path has
// MAX_PATH characters or more. Shorter paths, paths already in a "\\?\" or
// "\\.\" form, and paths the form cannot carry (relative ones, or with "."
// or ".." parts, which Windows does not resolve in it) are returned as they are.
std::wstring LongPathForm(const std::wstring& path);

}  // namespace corvane
