#include "base/TextConvert.h"
#include "updater/MiniZip.h"

namespace corvane {

unzFile OpenZipArchive(const std::wstring& path) { return unzOpen64(WideToUtf8(path).c_str()); }

}  // namespace corvane
