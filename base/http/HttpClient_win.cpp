#include "base/http/HttpClient.h"

#include <windows.h>
#include <wininet.h>

#include <cwchar>
#include <iterator>
#include <limits>
#include <new>
#include <stdexcept>
#include <vector>

#include "base/http/ContentLength.h"
#include "base/http/UrlParts.h"

namespace Zorpa {
namespace {

constexpr DWORD kConnectionReset = 12031;  // ERROR_INTERNET_CONNECTION_RESET

[[noreturn]] void Raise(int code) {
  const DWORD lastError = GetLastError();
  throw httpclientexceptionA(code, lastError);
}

// NULL for an empty setting: WinINet reads an empty proxy list as "no proxy".
const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

size_t CheckedAdd(size_t a, size_t b) {
  if (a > std::numeric_limits<size_t>::max() - b) throw std::overflow_error("buffer size");
  return a + b;
}

}  // namespace

CInternetHandle& CInternetHandle::operator=(CInternetHandle&& other) noexcept {
  if (this != &other) {
    Close();
    m_handle = other.Release();
  }
  return *this;
}

void* CInternetHandle::Release() {
  void* handle = m_handle;
  m_handle = nullptr;
  return handle;
}

void CInternetHandle::Close() {
  if (m_handle) InternetCloseHandle(static_cast<HINTERNET>(m_handle));
  m_handle = nullptr;
}

std::string CHttpEncoderW::ToNarrow(std::wstring_view text, uint32_t codePage) {
  if (text.empty()) return {};
  if (text.size() > static_cast<size_t>(std::numeric_limits<int>::max())) throw std::overflow_error("text size");
  const int size = static_cast<int>(text.size());
  const int needed = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) Raise(kErrWideCharToMultiByte);
  std::string out(static_cast<size_t>(needed), '\0');
  if (WideCharToMultiByte(codePage, 0, text.data(), size, out.data(), needed, nullptr, nullptr) != needed) {
    Raise(kErrWideCharToMultiByte);
  }
  return out;
}

CHttpResponse::CHttpResponse(CInternetHandle internet, CInternetHandle connection, CInternetHandle request)
    : m_internet(std::move(internet)), m_connection(std::move(connection)), m_request(std::move(request)) {}

CHttpResponse::~CHttpResponse() {
  m_request.Close();
  m_connection.Close();
  m_internet.Close();
  m_headers.Clear();
}

bool CHttpResponse::ContentLength(uint64_t& length) const {
  wchar_t text[32] = {};
  DWORD size = sizeof(text);
  if (!HttpQueryInfoW(static_cast<HINTERNET>(m_request.Get()), HTTP_QUERY_CONTENT_LENGTH, text, &size,
                      /*index=*/nullptr)) {
    return false;
  }
  return ParseContentLength(std::wstring_view(text, wcsnlen(text, std::size(text))), length);
}

bool CHttpResponse::StatusCode(uint32_t& code) const {
  DWORD value = 0;
  DWORD size = sizeof(value);
  if (!HttpQueryInfoW(static_cast<HINTERNET>(m_request.Get()), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &value,
                      &size, /*index=*/nullptr)) {
    return false;
  }
  code = value;
  return true;
}

const std::wstring* CHttpResponse::HeaderValue(std::wstring_view name, size_t index) {
  HINTERNET request = static_cast<HINTERNET>(m_request.Get());
  auto query = [request](std::wstring_view header, unsigned occurrence, std::wstring& value) {
    // HTTP_QUERY_CUSTOM takes the header name in the buffer and overwrites it
    // with the value; the buffer grows once when WinINet asks for more.
    std::vector<wchar_t> buffer(CheckedAdd(std::max<size_t>(header.size(), 255), 1), L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
      std::fill(buffer.begin(), buffer.end(), L'\0');
      std::copy(header.begin(), header.end(), buffer.begin());
      DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
      DWORD at = occurrence;
      if (HttpQueryInfoW(request, HTTP_QUERY_CUSTOM, buffer.data(), &size, &at)) {
        value.assign(buffer.data(), size / sizeof(wchar_t));
        return EHeaderQuery::kFound;
      }
      const DWORD error = GetLastError();
      if (error == ERROR_HTTP_HEADER_NOT_FOUND) return EHeaderQuery::kNotFound;
      if (error != ERROR_INSUFFICIENT_BUFFER || attempt > 0) {
        SetLastError(error);
        Raise(kErrHttpQueryInfo);
      }
      buffer.assign(CheckedAdd(std::max<size_t>(size / sizeof(wchar_t), header.size()), 1), L'\0');
    }
    return EHeaderQuery::kNotFound;
  };
  return m_headers.Lookup(name, index, query);
}

uint32_t CHttpResponse::ReadChunk(void* buffer, uint32_t size) {
  DWORD read = 0;
  if (!InternetReadFile(static_cast<HINTERNET>(m_request.Get()), buffer, size, &read)) return 0;
  return read;
}

template <class Encoder>
std::unique_ptr<CHttpResponse> CHttpClientT<Encoder>::Get(std::wstring_view url, bool useCache) {
  try {
    return SendGet(url, useCache);
  } catch (const httpclientexceptionA&) {
    throw;  // the handles this call opened are already closed by their owners
  } catch (const std::exception&) {
    return nullptr;  // exhausted memory or an oversized buffer: no response
  }
}

template <class Encoder>
std::unique_ptr<CHttpResponse> CHttpClientT<Encoder>::SendGet(std::wstring_view url, bool useCache) {
  const std::optional<CRequestTarget> target = PrepareRequest(url, useCache);

  const std::wstring& agent = userAgent.empty() ? std::wstring(kDefaultUserAgent) : userAgent;
  CInternetHandle internet(
      InternetOpenW(agent.c_str(), accessType, OrNull(proxyName), OrNull(proxyBypass), openFlags));
  if (!internet || !target) return nullptr;

  CInternetHandle connection(InternetConnectW(static_cast<HINTERNET>(internet.Get()), target->host.c_str(),
                                              static_cast<INTERNET_PORT>(target->port), /*user=*/nullptr,
                                              /*password=*/nullptr, INTERNET_SERVICE_HTTP, /*flags=*/0,
                                              /*context=*/0));
  if (!connection) return nullptr;
  if (!proxyUserName.empty() && !proxyPassword.empty()) {
    HINTERNET connect = static_cast<HINTERNET>(connection.Get());
    InternetSetOptionW(connect, INTERNET_OPTION_PROXY_USERNAME, const_cast<wchar_t*>(proxyUserName.c_str()),
                       static_cast<DWORD>(proxyUserName.size()));
    InternetSetOptionW(connect, INTERNET_OPTION_PROXY_PASSWORD, const_cast<wchar_t*>(proxyPassword.c_str()),
                       static_cast<DWORD>(proxyPassword.size()));
  }

  // The verb and object name go through the client's code page, as the
  // client family has always sent them.
  const std::string verb = Encoder::ToNarrow(L"GET", codePage);
  const std::string object = Encoder::ToNarrow(target->objectName, codePage);
  const char* acceptTypes[] = {"*/*", nullptr};
  CInternetHandle request(HttpOpenRequestA(static_cast<HINTERNET>(connection.Get()), verb.c_str(), object.c_str(),
                                           "HTTP/1.1", /*referrer=*/nullptr, acceptTypes, target->flags,
                                           /*context=*/0));
  if (!request) Raise(kErrHttpOpenRequest);

  if (target->flags & kFlagPragmaNoCache) {
    static const char kNoCache[] = "Cache-Control: no-cache\r\n";
    HttpAddRequestHeadersA(static_cast<HINTERNET>(request.Get()), kNoCache, static_cast<DWORD>(-1),
                           HTTP_ADDREQ_FLAG_ADD);  // a refusal is harmless
  }

  HINTERNET requestHandle = static_cast<HINTERNET>(request.Get());
  auto response = std::make_unique<CHttpResponse>(std::move(internet), std::move(connection), std::move(request));
  if (!HttpSendRequestW(requestHandle, /*headers=*/nullptr, 0, /*body=*/nullptr, 0)) {
    if (GetLastError() != kConnectionReset) Raise(kErrHttpSendRequest);
  }
  return response;
}

template class CHttpClientT<CHttpEncoderW>;

}  // namespace Zorpa
