// Throughput of the updater's two working steps, for comparison with curl
// and unzip on the same data (see bench_updater.sh):
//
//   updater_bench.exe download URL PACKAGE   the download step, headless
//   updater_bench.exe read URL PIECE_SIZE    the HTTP client alone
//   updater_bench.exe unpack ARCHIVE FOLDER  CUnzipper::ExtractArchive
//
// Prints "<seconds> <bytes>" of the measured step.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "updater/DownloadAdapters.h"
#include "updater/Unzipper.h"

namespace {

using namespace corvane;

// The download step with no dialog: nothing to show, never stopped.
class CHeadlessHost : public IDownloadHost {
 public:
  std::unique_ptr<IHttpBody> Get(const std::wstring& url) override { return HttpGetNoCache(url); }
  std::unique_ptr<IPackageWriter> CreatePackage(const std::wstring& path) override { return CreatePackageFile(path); }
  void DeletePackage(const std::wstring& path) override { DeleteFileW(path.c_str()); }
  uint32_t TickCount() override { return GetTickCount(); }
  void Sleep(uint32_t ms) override { ::Sleep(ms); }
  void PumpMessages() override {}
  bool StopRequested() override { return false; }
  void ShowUrl(std::wstring_view) override {}
  void ShowSize(const std::wstring&) override {}
  void ShowProgress(int) override {}
  void ShowStatus(const std::wstring& text) override { m_lastStatus = text; }
  void WriteDiagnostics(std::string_view) override {}
  void Log(const std::wstring&) override {}
  void FallBack() override { m_fellBack = true; }

  std::wstring m_lastStatus;
  bool m_fellBack = false;
};

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

long long FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

int main() {
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!args || count != 4) {
    std::fprintf(stderr, "usage: updater_bench download URL PACKAGE | unpack ARCHIVE FOLDER\n");
    return 2;
  }
  const std::wstring mode = args[1], first = args[2], second = args[3];
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  bool ok = false;
  long long bytes = 0;
  if (mode == L"download") {
    CHeadlessHost host;
    ok = RunDownloadStep(host, first, second) == EDownloadOutcome::kComplete;
    bytes = FileSize(second);
  } else if (mode == L"read") {
    // The HTTP client alone, in pieces of the given size: what the transport
    // costs without the step's file and texts.
    auto body = HttpGetNoCache(first);
    const uint32_t piece = static_cast<uint32_t>(std::stoul(second));
    std::string buffer(piece, '\0');
    for (uint32_t n; body && (n = body->ReadChunk(buffer.data(), piece)) > 0;) bytes += n;
    ok = body != nullptr;
  } else if (mode == L"unpack") {
    ok = CUnzipper::ExtractArchive(first, second, /*flatten=*/false);
    bytes = FileSize(first);
  }
  QueryPerformanceCounter(&end);
  LocalFree(args);
  if (!ok) {
    std::fprintf(stderr, "the step failed\n");
    return 1;
  }
  std::printf("%.3f %lld\n", Seconds(start, end), bytes);
  return 0;
}
