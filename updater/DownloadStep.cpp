#include "updater/DownloadStep.h"

#include <cstdio>
#include <vector>

#include "base/TextConvert.h"
#include "base/http/HttpError.h"
#include "updater/ByteSize.h"
#include "updater/SpeedMeter.h"

namespace corvane {
namespace {

constexpr uint32_t kHttpOk = 200;

// The response headers, for whoever watches the updater's standard output.
void WriteHeaderDiagnostics(IDownloadHost& host, IHttpBody& body) {
  static const wchar_t* const kNames[] = {L"Server",        L"Date",       L"X-Powered-By", L"Content-Length",
                                          L"Set-Cookie",    L"Expires",    L"Cache-control", L"Connection",
                                          L"Transfer-Encoding", L"Content-Type"};
  std::string text;
  for (const wchar_t* name : kNames) {
    const std::string narrow = WideToAnsi(name);
    if (const std::wstring* value = body.HeaderValue(name)) {
      text += narrow + ": " + WideToAnsi(*value) + "\n";
    } else {
      text += "'" + narrow + "' header does not exist..\n";
    }
  }
  text += "\n";
  host.WriteDiagnostics(text);
}

bool IsTextBody(IHttpBody& body) {
  const std::wstring* type = body.HeaderValue(L"Content-Type");
  if (!type || type->size() < 5) return false;
  static const wchar_t kText[] = L"text/";
  for (size_t i = 0; i < 5; ++i) {
    wchar_t c = (*type)[i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c != kText[i]) return false;
  }
  return true;
}

class CAttempt {
 public:
  CAttempt(IDownloadHost& host, const std::wstring& url, const std::wstring& packagePath)
      : m_host(host), m_url(url), m_packagePath(packagePath) {}

  EDownloadOutcome Run() {
    try {
      return Transfer();
    } catch (const Zorpa::httpclientexceptionA&) {
      return TransportError();
    }
  }

 private:
  EDownloadOutcome Transfer() {
    m_body = m_host.Get(m_url);
    if (!m_body) return TransportError();
    m_host.ShowUrl(UrlWithoutQuery(m_url));
    WriteHeaderDiagnostics(m_host, *m_body);
    const bool textBody = IsTextBody(*m_body);
    // An error page or a proxy's notice is no package, whatever it holds.
    if (const uint32_t status = m_body->StatusCode(); status != kHttpOk) {
      return Failed(L"the server answered with HTTP status " + std::to_wstring(status) + L", not 200.");
    }

    uint64_t total = 0;
    if (!m_body->ContentLength(total)) return FallBack();
    m_host.ShowSize(FormatByteSize(total));

    uint64_t received = 0;
    SpeedMeter meter;
    uint32_t previousTick = m_host.TickCount();
    m_file = m_host.CreatePackage(m_packagePath);
    if (!m_file) return FallBack();

    std::vector<char> chunk(kDownloadChunkSize);
    for (;;) {
      const uint32_t read = m_body->ReadChunk(chunk.data(), kDownloadChunkSize);
      if (read == 0) {
        CloseFile();
        m_body.reset();
        // A connection that ends early ends the body the same way.
        return received == total ? EDownloadOutcome::kComplete : EDownloadOutcome::kIncomplete;
      }
      received += read;
      m_host.ShowProgress(DownloadProgressPosition(received, total));
      const uint32_t now = m_host.TickCount();
      meter.Update(now - previousTick, received);
      m_host.ShowStatus(FormatDownloadStatus(received, total, meter.BytesPerSecond()));
      previousTick = now;
      if (textBody) m_host.WriteDiagnostics(std::string_view(chunk.data(), read));
      if (const uint32_t error = m_file->Write(chunk.data(), read)) {
        return Failed(L"writing " + m_packagePath + L" failed (system error " + std::to_wstring(error) + L").");
      }
      m_host.PumpMessages();
      if (m_host.StopRequested()) {
        m_body.reset();
        CloseFile();  // the partial package stays until the next attempt
        return EDownloadOutcome::kEnded;
      }
    }
  }

  EDownloadOutcome Failed(const std::wstring& reason) {
    CloseFile();
    m_body.reset();
    m_host.Log(L"Update package: " + reason);
    return EDownloadOutcome::kFailed;
  }

  EDownloadOutcome FallBack() {
    m_host.FallBack();
    return EDownloadOutcome::kEnded;
  }

  EDownloadOutcome TransportError() {
    CloseFile();
    m_body.reset();
    m_host.Sleep(500);
    return EDownloadOutcome::kTransportError;
  }

  void CloseFile() {
    if (m_file) m_file->Close();
    m_file.reset();
  }

  IDownloadHost& m_host;
  const std::wstring& m_url;
  const std::wstring& m_packagePath;
  std::unique_ptr<IHttpBody> m_body;
  std::unique_ptr<IPackageWriter> m_file;
};

}  // namespace

EDownloadOutcome RunDownloadStep(IDownloadHost& host, const std::wstring& url, const std::wstring& packagePath) {
  host.PumpMessages();
  host.DeletePackage(packagePath);
  return CAttempt(host, url, packagePath).Run();
}

}  // namespace corvane
