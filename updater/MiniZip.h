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
class CHeldPackage;
// Opens an archive for reading (UnzipOpen_win.cpp / UnzipOpen_posix.cpp).
unzFile OpenZipArchive(const std::wstring& path);
// Opens the held package for reading (HeldPackageZip.cpp); null when
// nothing is held or it is no zip archive.
unzFile OpenZipArchive(const CHeldPackage& package);
}  // namespace corvane
