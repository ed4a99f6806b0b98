#pragma once
// The real network and file behind IDownloadHost (Windows only).
#include <memory>
#include <string>

#include "updater/DownloadStep.h"

namespace corvane {

// A GET without the cache through a fresh Zorpa::CHttpClient (its response
// outlives it); null for no response; raises Zorpa::httpclientexceptionA.
std::unique_ptr<IHttpBody> HttpGetNoCache(const std::wstring& url);

// The package file: write access, others may read, only if it does not exist.
std::unique_ptr<IPackageWriter> CreatePackageFile(const std::wstring& path);

}  // namespace corvane
