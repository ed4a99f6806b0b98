#pragma once
// One download attempt of the update package, with progress and pause.
//
// Runs on the UI thread inside the dialog's timer handler. It reaches the
// network, the package file and the dialog only through IDownloadHost, so
// the same code runs in the updater and in tests with fakes.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace corvane {

enum class EDownloadOutcome {
  kEnded,           // paused, cancelled, or failed with the fallback already taken
  kComplete,        // exactly Content-Length bytes received and the file closed
  kIncomplete,      // the body ended with more or fewer bytes than announced
  kTransportError,  // no response or an HTTP client error
  kFailed,          // no package: an HTTP status other than 200, or a failed write (the reason is logged)
};

// The body of one HTTP response (Zorpa::CHttpResponse in the updater).
class IHttpBody {
 public:
  virtual ~IHttpBody() = default;
  virtual bool ContentLength(uint64_t& length) = 0;
  // The status code of the response; 0 when it cannot be read.
  virtual uint32_t StatusCode() = 0;
  // First value of a header or null; may raise Zorpa::httpclientexceptionA.
  virtual const std::wstring* HeaderValue(std::wstring_view name) = 0;
  // 0 at the end of the body or on a failed read.
  virtual uint32_t ReadChunk(void* buffer, uint32_t size) = 0;
};

// The package file being written.
class IPackageWriter {
 public:
  virtual ~IPackageWriter() = default;
  // 0 when every byte was written, otherwise the system's error code.
  virtual uint32_t Write(const void* data, uint32_t size) = 0;
  virtual void Close() = 0;
};

class IDownloadHost {
 public:
  virtual ~IDownloadHost() = default;

  // A fresh HTTP client's GET without the cache; null for no response. May
  // raise Zorpa::httpclientexceptionA.
  virtual std::unique_ptr<IHttpBody> Get(const std::wstring& url) = 0;
  // Creates the package only if it does not exist (others may read it).
  virtual std::unique_ptr<IPackageWriter> CreatePackage(const std::wstring& path) = 0;
  virtual void DeletePackage(const std::wstring& path) = 0;

  virtual uint32_t TickCount() = 0;
  virtual void Sleep(uint32_t ms) = 0;
  // Dispatches the dialog's pending messages (Pause and Cancel run here).
  virtual void PumpMessages() = 0;
  virtual bool StopRequested() = 0;

  virtual void ShowUrl(std::wstring_view url) = 0;          // control 1008
  virtual void ShowSize(const std::wstring& text) = 0;      // control 1007
  virtual void ShowProgress(int position) = 0;              // control 1000
  virtual void ShowStatus(const std::wstring& text) = 0;    // status bar
  virtual void WriteDiagnostics(std::string_view text) = 0;  // standard output
  // A line for the program's log (refusals and failures nobody else sees).
  virtual void Log(const std::wstring& text) = 0;
  // Opens the installer page and closes the dialog.
  virtual void FallBack() = 0;
};

constexpr uint32_t kDownloadChunkSize = 10240;

EDownloadOutcome RunDownloadStep(IDownloadHost& host, const std::wstring& url, const std::wstring& packagePath);

}  // namespace corvane
