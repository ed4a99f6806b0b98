#include "updater/DownloadAdapters.h"

#include <windows.h>

#include "base/Handle.h"
#include "base/http/HttpClient.h"

namespace corvane {
namespace {

class CResponseBody : public IHttpBody {
 public:
  explicit CResponseBody(std::unique_ptr<Zorpa::CHttpResponse> response) : m_response(std::move(response)) {}
  bool ContentLength(uint64_t& length) override { return m_response->ContentLength(length); }
  uint32_t StatusCode() override {
    uint32_t code = 0;
    return m_response->StatusCode(code) ? code : 0;
  }
  const std::wstring* HeaderValue(std::wstring_view name) override { return m_response->HeaderValue(name, 0); }
  uint32_t ReadChunk(void* buffer, uint32_t size) override { return m_response->ReadChunk(buffer, size); }

 private:
  std::unique_ptr<Zorpa::CHttpResponse> m_response;
};

class CPackageFile : public IPackageWriter {
 public:
  explicit CPackageFile(HANDLE file) : m_file(file) {}
  uint32_t Write(const void* data, uint32_t size) override {
    DWORD written = 0;
    if (!WriteFile(m_file.Get(), data, size, &written, /*overlapped=*/nullptr)) return GetLastError();
    return written == size ? 0 : ERROR_DISK_FULL;  // a short write without an error: the disk is full
  }
  void Close() override { m_file.Close(); }

 private:
  CHandle m_file;
};

}  // namespace

std::unique_ptr<IHttpBody> HttpGetNoCache(const std::wstring& url) {
  Zorpa::CHttpClient client;
  std::unique_ptr<Zorpa::CHttpResponse> response = client.Get(url, /*useCache=*/false);
  if (!response) return nullptr;
  return std::make_unique<CResponseBody>(std::move(response));
}

std::unique_ptr<IPackageWriter> CreatePackageFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, /*security=*/nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, /*templ=*/nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<CPackageFile>(file);
}

}  // namespace corvane
