#pragma once
// The platform's URL-to-file download (Windows only: URLDownloadToFileW).
#include <string>

namespace corvane {

// True when the whole response body was written to `path`. An error page
// counts as success too (the platform reports it so): the reader judges
// the content.
bool DownloadUrlToFile(const std::wstring& url, const std::wstring& path);
// Deletes a file; a missing file or a failure is not an error here.
void DeleteFileQuietly(const std::wstring& path);

}  // namespace corvane
