#include "updater/UpdaterFlow.h"

namespace corvane {

bool CUpdaterFlow::OnTimer() {
  m_host.StopTimer();
  // A tick dispatched from inside a running download (Pause and Resume
  // within one chunk) must not start a second one over the same file.
  if (m_busy || m_state == EUpdaterState::kEnded || m_state == EUpdaterState::kInstalling) return true;
  m_state = EUpdaterState::kDownloading;

  const std::wstring package = m_record.PackagePath();
  m_busy = true;
  const EDownloadOutcome outcome = RunDownloadStep(m_host, m_record.downloadUrl, package);
  m_busy = false;
  if (outcome == EDownloadOutcome::kEnded) {
    // Pause keeps the dialog; Cancel and the fallback have ended it.
    m_state = (m_stop && m_state != EUpdaterState::kEnded) ? EUpdaterState::kPaused : EUpdaterState::kEnded;
    return true;
  }
  // After a transport error the package check fails for the missing or
  // partial file, which takes the download-failed path.
  if (outcome == EDownloadOutcome::kIncomplete) m_host.Log(L"Update package: size differs from Content-Length.");
  if (outcome == EDownloadOutcome::kIncomplete || outcome == EDownloadOutcome::kFailed || !m_host.HoldPackage(package) ||
      !PackageMatchesRecord() || !PackageIsSigned() || !m_host.OpenPackage()) {
    DownloadFailed();
    return true;
  }
  Install();
  return true;
}

bool CUpdaterFlow::PackageMatchesRecord() {
  if (m_record.packageSha256.empty()) return true;  // records of older main programs carry none
  std::string actual;
  if (!m_host.PackageSha256(actual)) {
    m_host.Log(L"Update package: cannot compute its SHA-256.");
    return false;
  }
  // The record holds lower-case hex; any other text matches nothing.
  if (std::wstring(actual.begin(), actual.end()) == m_record.packageSha256) return true;
  m_host.Log(L"Update package: SHA-256 " + std::wstring(actual.begin(), actual.end()) + L" differs from " +
             m_record.packageSha256 + L".");
  return false;
}

bool CUpdaterFlow::PackageIsSigned() {
  // Anyone who can answer the version file's request or start the updater
  // names the package: only the maker's signature makes it one to install.
  // The record carries base64 text, which is ASCII; anything else is refused.
  std::string signature;
  for (wchar_t c : m_record.packageSignature) {
    if (static_cast<uint32_t>(c) > 0x7F) {
      m_host.Log(L"Update package refused: its signature is not base64 text.");
      return false;
    }
    signature += static_cast<char>(c);
  }
  const SSignatureVerdict verdict = m_host.VerifyPackage(signature);
  if (!verdict.valid) m_host.Log(L"Update package refused: " + verdict.reason + L".");
  return verdict.valid;
}

void CUpdaterFlow::DownloadFailed() {
  m_state = EUpdaterState::kEnded;
  m_host.ShowSize(L"");
  m_host.DisablePause();
  m_host.ShowFailure(m_host.Translate(L"Failure to download update file."));
  m_host.ClosePackage();
  m_host.DeletePackage(m_record.PackagePath());
  m_host.OpenInstallerPage();
  m_host.PostClose();
}

void CUpdaterFlow::Install() {
  m_state = EUpdaterState::kInstalling;
  // The main program is asked to close only once every entry is checked and
  // written beside its target: a bad package leaves it running, untouched.
  bool unpacked = m_host.StageUnpack();
  // Set once the main program has closed (or none was running): only then
  // is it started again. One refused before the close was never ended, and
  // one that did not close in time still runs.
  bool mainProgramClosed = false;
  if (unpacked) {
    mainProgramClosed = m_host.CloseMainProgram(m_record.appMainWndClassName, m_record.appUserMsg);
    if (!mainProgramClosed) {
      // Its files are still in use: nothing is swapped in under it, the
      // staged files go, and the installer page offers the update instead.
      m_host.AbandonUnpack();
      m_host.Log(L"Update: the main program did not close in time; nothing was replaced.");
      unpacked = false;
    } else {
      unpacked = m_host.CommitUnpack();
    }
  }
  if (!unpacked) {
    m_host.Log(L"Update package: unpacking failed; the program folder is as it was.");
    m_host.OpenInstallerPage();
    m_host.ShowStatus(m_host.Translate(L"Unable to unzip file."));
  }
  m_host.ClosePackage();
  m_host.Sleep(1000);
  // A refused program name was cleared when the record was read.
  if (!m_record.appFileName.empty() && mainProgramClosed) m_host.StartProgram(m_record.appFileName);
  m_state = EUpdaterState::kEnded;
  m_host.EndDialog(kUpdaterDialogResult);
  m_host.DeletePackage(m_record.PackagePath());
}

void CUpdaterFlow::OnPauseResume() {
  if (m_state == EUpdaterState::kEnded || m_state == EUpdaterState::kInstalling) return;
  if (!m_stop) {
    m_stop = true;
    m_host.SetPauseLabel(m_host.Translate(L"&Resume"));
    if (m_state == EUpdaterState::kDownloading) m_state = EUpdaterState::kPaused;
    return;
  }
  m_host.SetPauseLabel(m_host.Translate(L"&Pause"));
  m_stop = false;
  m_state = m_busy ? EUpdaterState::kDownloading : EUpdaterState::kWaiting;
  m_host.StartTimer();
}

void CUpdaterFlow::OnCancel() {
  m_stop = true;
  if (m_state == EUpdaterState::kInstalling) return;  // unpacking dispatches nothing; it cannot get here
  m_state = EUpdaterState::kEnded;
  m_host.EndDialog(kUpdaterDialogResult);
}

}  // namespace corvane
