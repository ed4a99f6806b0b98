#include "online/VersionCheckWorker.h"

#include <chrono>

namespace corvane {

CVersionCheckWorker::CVersionCheckWorker(SVersionCheckJob job, DownloadToFile download,
                                         std::function<void()> cancelDownload, RemoveFile removeFile,
                                         std::function<void()> notify)
    : m_job(std::move(job)),
      m_download(std::move(download)),
      m_cancelDownload(std::move(cancelDownload)),
      m_removeFile(std::move(removeFile)),
      m_notify(std::move(notify)),
      m_thread([this] { return Run(); }, kVersionCheckStopTimeoutMs) {}

CVersionCheckWorker::~CVersionCheckWorker() { Stop(); }

bool CVersionCheckWorker::Start() { return m_thread.Start(); }

void CVersionCheckWorker::Stop() {
  // The body checks the stop only between downloads: the one running is
  // ended first, so the thread is not waited for while a server dawdles.
  if (m_cancelDownload) m_cancelDownload();
  m_thread.Stop();
}

unsigned CVersionCheckWorker::Run() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
  const int cacheBuster = DomainListCacheBuster(static_cast<int>((ms / 1000) % 60), static_cast<int>(ms % 1000));
  // The domain list does not decide anything that follows.
  SiteDomains().Refresh(m_job.domainListFile, m_download, m_removeFile, m_job.language, m_job.version, cacheBuster);
  if (m_thread.StopRequested()) return 0;
  m_removeFile(m_job.versionFile);
  if (!m_download(m_job.updateUrl, m_job.versionFile)) return 0;
  if (!m_thread.StopRequested()) m_notify();
  return 0;
}

}  // namespace corvane
