#pragma once
// The background half of the version check: once per run, on its own
// thread, it refreshes the domain list, deletes the old version file,
// downloads the new one and, when that arrived, tells the main window
// (which reads it on the user-interface thread). A failed download is
// silent. The body touches no window: the notification is a function the
// owner gives (on Windows it posts message 0x8029).
#include <functional>
#include <string>

#include "base/WorkerThread.h"
#include "online/DomainList.h"

namespace corvane {

// The message the main window receives when the version file is ready
// (first parameter 1, second 0).
constexpr unsigned kVersionCheckDoneMessage = 0x8029;
// How long a stopped worker is expected to take to end (its download is
// cancelled first, so it ends within milliseconds).
constexpr unsigned kVersionCheckStopTimeoutMs = 5000;

struct SVersionCheckJob {
  std::wstring updateUrl;       // BuildUpdateUrl
  std::wstring versionFile;     // "<appdata>\corvanever.ini"
  std::wstring domainListFile;  // "<config>\Domain.ini"
  std::wstring language;
  std::wstring version;
};

class CVersionCheckWorker {
 public:
  using RemoveFile = std::function<void(const std::wstring&)>;
  // `cancelDownload` (any thread) makes a running `download` return false
  // at once and every later one fail.
  CVersionCheckWorker(SVersionCheckJob job, DownloadToFile download, std::function<void()> cancelDownload,
                      RemoveFile removeFile, std::function<void()> notify);
  ~CVersionCheckWorker();  // Stop()
  CVersionCheckWorker(const CVersionCheckWorker&) = delete;
  CVersionCheckWorker& operator=(const CVersionCheckWorker&) = delete;

  // Starts the check; false when it runs already or no thread could be made.
  bool Start();
  // Cancels the download and waits until the thread has ended by itself.
  void Stop();
  // True once the check has finished (or was stopped).
  bool HasEnded() { return m_thread.HasEnded(); }

 private:
  unsigned Run();

  SVersionCheckJob m_job;
  DownloadToFile m_download;
  std::function<void()> m_cancelDownload;
  RemoveFile m_removeFile;
  std::function<void()> m_notify;
  WorkerThread m_thread;
};

}  // namespace corvane
