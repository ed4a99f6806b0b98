#include "updater/MiniZip.h"
// iowin32.h relies on the zlib and ioapi declarations that unzip.h brings.
#include "iowin32.h"

namespace corvane {

unzFile OpenZipArchive(const std::wstring& path) {
  // The wide file functions let archive paths hold any character.
  zlib_filefunc64_def functions;
  fill_win32_filefunc64W(&functions);
  return unzOpen2_64(path.c_str(), &functions);
}

}  // namespace corvane
