#pragma once
// A small synchronous HTTP client over WinINet (Windows only).
//
// One GET per call; the body is read in caller-sized chunks from the
// response, which the caller owns. Responses keep the handles the request
// opened, so they stay valid after the client is gone.
//
// Not thread-safe: one client and its responses belong to one thread.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/http/HttpClientMap.h"
#include "base/http/HttpError.h"
#include "base/http/HttpHeaderCache.h"

namespace Zorpa {

// Owner of one WinINet handle (HINTERNET is a plain pointer).
class CInternetHandle {
 public:
  CInternetHandle() = default;
  explicit CInternetHandle(void* handle) : m_handle(handle) {}
  CInternetHandle(CInternetHandle&& other) noexcept : m_handle(other.Release()) {}
  CInternetHandle& operator=(CInternetHandle&& other) noexcept;
  CInternetHandle(const CInternetHandle&) = delete;
  CInternetHandle& operator=(const CInternetHandle&) = delete;
  ~CInternetHandle() { Close(); }

  void* Get() const { return m_handle; }
  explicit operator bool() const { return m_handle != nullptr; }
  void* Release();
  void Close();

 private:
  void* m_handle = nullptr;
};

// Converts the client's wide text to 8-bit text in a given code page
// (0 = the system ANSI code page); raises error 600 when that fails.
struct CHttpEncoderW {
  static std::string ToNarrow(std::wstring_view text, uint32_t codePage);
};

// Upload progress of the client family's form posting (unused here).
struct CHttpPostStat {
  uint64_t totalBytes = 0;
  uint64_t postedBytes = 0;
};

class CHttpResponse {
 public:
  // Takes ownership of the request handle and of whichever of the internet
  // and connection handles the request opened itself (others are empty).
  CHttpResponse(CInternetHandle internet, CInternetHandle connection, CInternetHandle request);
  ~CHttpResponse();
  CHttpResponse(const CHttpResponse&) = delete;
  CHttpResponse& operator=(const CHttpResponse&) = delete;

  // The "Content-Length" header as a decimal 64-bit number; false when the
  // header is absent, unreadable or the query fails.
  bool ContentLength(uint64_t& length) const;
  // The status code of the response's status line (200, 404, ...); false
  // when the query fails.
  bool StatusCode(uint32_t& code) const;
  // The index-th value of the named header (case-insensitive), or null.
  // Raises httpclientexceptionA(400) when the platform fails otherwise than
  // with "not found".
  const std::wstring* HeaderValue(std::wstring_view name, size_t index = 0);
  // Up to `size` bytes of the body; 0 at the end of the body or on a failed read.
  uint32_t ReadChunk(void* buffer, uint32_t size);

  void* RequestHandle() const { return m_request.Get(); }

 private:
  // Declared so that destruction closes the request, then the connection,
  // then the internet handle.
  CInternetHandle m_internet;
  CInternetHandle m_connection;
  CInternetHandle m_request;
  CHttpHeaderCache m_headers;
};

template <class Encoder>
class CHttpClientT {
 public:
  static constexpr const wchar_t* kDefaultUserAgent =
      L"Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 5.1; Lumo Browser)";

  CHttpClientT() = default;

  // A GET of `url`. No response for a URL without host or with a bad port,
  // when the internet handle or connection cannot be opened, or on an
  // exhausted resource; raises httpclientexceptionA (404, 406, 600) when the
  // request cannot be opened or sent. Error 12031 (connection reset) while
  // sending counts as sent.
  std::unique_ptr<CHttpResponse> Get(std::wstring_view url, bool useCache);

  // Settings (defaults: system proxy configuration, default agent).
  std::wstring userAgent;
  uint32_t accessType = 0;
  std::wstring proxyName;
  std::wstring proxyBypass;
  uint32_t openFlags = 0;
  std::wstring proxyUserName;
  std::wstring proxyPassword;
  uint32_t codePage = 0;

 private:
  std::unique_ptr<CHttpResponse> SendGet(std::wstring_view url, bool useCache);

  CHttpClientMap m_headers;
  CHttpClientMap m_params;
  CHttpPostStat m_postStat;
};

using CHttpClient = CHttpClientT<CHttpEncoderW>;

}  // namespace Zorpa
