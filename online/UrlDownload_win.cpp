#include <windows.h>
#include <urlmon.h>

#include "online/UrlDownload.h"

namespace corvane {

bool DownloadUrlToFile(const std::wstring& url, const std::wstring& path) {
  // No options, no progress callback: the call returns when the file is
  // complete or the download failed.
  return SUCCEEDED(URLDownloadToFileW(/*caller=*/nullptr, url.c_str(), path.c_str(), /*reserved=*/0,
                                      /*callback=*/nullptr));
}

void DeleteFileQuietly(const std::wstring& path) { DeleteFileW(path.c_str()); }

}  // namespace corvane
