#include "online/UrlDownload.h"

#include <windows.h>
#include <wininet.h>

#include <cstdint>

#include "base/Handle.h"
#include "base/http/ContentLength.h"
#include "base/http/HttpClient.h"
#include "base/http/UrlParts.h"

namespace corvane {
namespace {

constexpr DWORD kChunkBytes = 16 * 1024;

// What WinINet fills in asynchronously for one request. A step given up on
// (cancelled, stalled) may still complete later and write here, so the
// request handle holds a reference until its last callback.
struct SRequestState {
  CHandle completed{CreateEventW(/*security=*/nullptr, /*manualReset=*/FALSE, /*initial=*/FALSE, nullptr)};
  bool succeeded = false;
  DWORD bytesRead = 0;
  char buffer[kChunkBytes];
};
using StateReference = std::shared_ptr<SRequestState>;

// The session's status callback (WinINet's threads). Only the request
// handle carries a context: a heap-held reference to its state.
void CALLBACK OnRequestStatus(HINTERNET /*handle*/, DWORD_PTR context, DWORD status, void* info, DWORD /*size*/) {
  if (context == 0) return;
  auto* reference = reinterpret_cast<StateReference*>(context);
  if (status == INTERNET_STATUS_REQUEST_COMPLETE) {
    (*reference)->succeeded = static_cast<const INTERNET_ASYNC_RESULT*>(info)->dwResult != 0;
    SetEvent((*reference)->completed.Get());
  } else if (status == INTERNET_STATUS_HANDLE_CLOSING) {
    // The handle's last callback: the request's reference goes with it.
    std::unique_ptr<StateReference> last(reference);
  }
}

// The body's file under its temporary name: removed when it goes unless
// it was renamed into place.
class CPartFile {
 public:
  explicit CPartFile(std::wstring path)
      : m_path(std::move(path)),
        m_file(CreateFileW(m_path.c_str(), GENERIC_WRITE, /*share=*/0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~CPartFile() {
    m_file.Close();
    if (!m_renamed) DeleteFileW(m_path.c_str());
  }
  CPartFile(const CPartFile&) = delete;
  CPartFile& operator=(const CPartFile&) = delete;

  bool IsOpen() const { return m_file.IsValid(); }
  bool Write(const void* bytes, DWORD size) {
    DWORD written = 0;
    return WriteFile(m_file.Get(), bytes, size, &written, nullptr) && written == size;
  }
  bool RenameTo(const std::wstring& path) {
    m_file.Close();
    m_renamed = MoveFileExW(m_path.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    return m_renamed;
  }

 private:
  std::wstring m_path;
  CHandle m_file;
  bool m_renamed = false;
};

}  // namespace

struct CUrlDownloader::SImpl {
  CHandle cancel{CreateEventW(nullptr, /*manualReset=*/TRUE, /*initial=*/FALSE, nullptr)};

  bool Cancelled() const { return WaitForSingleObject(cancel.Get(), 0) == WAIT_OBJECT_0; }

  // Ends one asynchronous step; `started` is the call's own result. A step
  // that has not completed when the downloader is cancelled, or after
  // kDownloadStallMs of silence, has failed: the request is then closed by
  // the caller without touching the state again.
  bool Finish(BOOL started, SRequestState& state) const {
    if (started) return true;
    if (GetLastError() != ERROR_IO_PENDING) return false;
    HANDLE waits[] = {state.completed.Get(), cancel.Get()};
    if (WaitForMultipleObjects(2, waits, /*waitAll=*/FALSE, kDownloadStallMs) != WAIT_OBJECT_0) return false;
    return state.succeeded;
  }

  bool Send(HINTERNET request, SRequestState& state) const {
    ResetEvent(state.completed.Get());
    return Finish(HttpSendRequestW(request, nullptr, 0, nullptr, 0), state);
  }

  // Reads the next piece of the body into the state; false on failure.
  bool Read(HINTERNET request, SRequestState& state) const {
    if (Cancelled()) return false;  // pieces that arrive at once never wait
    ResetEvent(state.completed.Get());
    state.bytesRead = 0;
    return Finish(InternetReadFile(request, state.buffer, kChunkBytes, &state.bytesRead), state);
  }
};

namespace {

bool AnsweredOk(HINTERNET request) {
  DWORD status = 0;
  DWORD size = sizeof(status);
  return HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) &&
         status == HTTP_STATUS_OK;
}

// The announced body length, if the server gave a readable one.
bool AnnouncedLength(HINTERNET request, uint64_t& length) {
  wchar_t text[32] = {};
  DWORD size = sizeof(text);
  return HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr) &&
         Zorpa::ParseContentLength(text, length);
}

}  // namespace

CUrlDownloader::CUrlDownloader() : m_impl(std::make_unique<SImpl>()) {}
CUrlDownloader::~CUrlDownloader() = default;

void CUrlDownloader::Cancel() { SetEvent(m_impl->cancel.Get()); }

bool CUrlDownloader::Download(const std::wstring& url, const std::wstring& path) {
  const SImpl& impl = *m_impl;
  if (impl.Cancelled()) return false;
  const std::optional<Zorpa::CRequestTarget> target = Zorpa::PrepareRequest(url, /*useCache=*/false);
  if (!target) return false;

  Zorpa::CInternetHandle session(InternetOpenW(Zorpa::CHttpClientT<Zorpa::CHttpEncoderW>::kDefaultUserAgent,
                                               INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, INTERNET_FLAG_ASYNC));
  if (!session) return false;
  InternetSetStatusCallbackW(session.Get(), &OnRequestStatus);
  Zorpa::CInternetHandle connection(InternetConnectW(session.Get(), target->host.c_str(),
                                                     static_cast<INTERNET_PORT>(target->port), nullptr, nullptr,
                                                     INTERNET_SERVICE_HTTP, 0, /*context=*/0));
  if (!connection) return false;
  const auto state = std::make_shared<SRequestState>();
  if (!state->completed) return false;
  auto reference = std::make_unique<StateReference>(state);
  // Closed first (declared last): closing ends whatever step is pending.
  Zorpa::CInternetHandle request(HttpOpenRequestW(connection.Get(), L"GET", target->objectName.c_str(), nullptr,
                                                  nullptr, nullptr, target->flags,
                                                  reinterpret_cast<DWORD_PTR>(reference.get())));
  if (!request) return false;
  reference.release();  // the request's now: OnRequestStatus drops it with the handle

  if (!impl.Send(static_cast<HINTERNET>(request.Get()), *state)) return false;
  if (!AnsweredOk(static_cast<HINTERNET>(request.Get()))) return false;
  uint64_t announced = 0;
  const bool hasLength = AnnouncedLength(static_cast<HINTERNET>(request.Get()), announced);

  CPartFile part(path + L".part");
  if (!part.IsOpen()) return false;
  uint64_t received = 0;
  for (;;) {
    if (!impl.Read(static_cast<HINTERNET>(request.Get()), *state)) return false;
    if (state->bytesRead == 0) break;
    if (!part.Write(state->buffer, state->bytesRead)) return false;
    received += state->bytesRead;
  }
  if (hasLength && received != announced) return false;
  return part.RenameTo(path);
}

void DeleteFileQuietly(const std::wstring& path) { DeleteFileW(path.c_str()); }

}  // namespace corvane
