#pragma once
// minizip's unzip layer. The Windows build compiles it from zlib's source
// (its headers sit directly on the include path); the native build uses the
// system package, whose headers live under minizip/.
#ifdef _WIN32
#include "unzip.h"
#else
#include <minizip/unzip.h>
#endif

#include <string>

namespace corvane {
// Opens an archive for reading (UnzipOpen_win.cpp / UnzipOpen_posix.cpp).
unzFile OpenZipArchive(const std::wstring& path);
}  // namespace corvane
