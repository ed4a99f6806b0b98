#pragma once
// The updater's download-and-install procedure and its buttons, kept apart
// from the dialog so that it can be driven by tests.
//
// The dialog owns one CUpdaterFlow, forwards its timer ticks and the Pause
// and Cancel buttons to it, and implements IUpdaterHost with its controls.
#include <string>

#include "updater/DownloadStep.h"
#include "updater/PackageSignature.h"
#include "updater/UpdaterData.h"

namespace corvane {

class IUpdaterHost : public IDownloadHost {
 public:
  virtual void StartTimer() = 0;  // the 1000 ms timer
  virtual void StopTimer() = 0;
  virtual std::wstring Translate(const std::wstring& english) = 0;
  virtual void SetPauseLabel(const std::wstring& text) = 0;
  virtual void DisablePause() = 0;
  virtual void ShowFailure(const std::wstring& text) = 0;  // status text with the failure icon
  virtual void OpenInstallerPage() = 0;
  virtual void PostClose() = 0;   // WM_CLOSE to the dialog
  virtual void EndDialog(int result) = 0;

  // Copies the downloaded package into the updater's own protected folder
  // and holds the copy open (CHeldPackage); every step below reads that
  // copy, never a path. False (the reason logged) when it cannot.
  virtual bool HoldPackage(const std::wstring& downloadPath) = 0;
  // SHA-256 of the held copy as lower-case hex; false when it cannot be read.
  virtual bool PackageSha256(std::string& hex) = 0;
  // Whether the held copy carries the maker's signature (the record's
  // "PackageSignature") for the key built into this program.
  virtual SSignatureVerdict VerifyPackage(const std::string& signatureBase64) = 0;
  // The held copy opened as a zip archive, until ClosePackage.
  virtual bool OpenPackage() = 0;
  // Into the updater's own folder, all or nothing: Stage checks and writes
  // every entry beside its target while the main program still runs (false
  // leaves the folder as it was); Commit swaps them in (false puts every old
  // file back).
  virtual bool StageUnpack() = 0;
  virtual bool CommitUnpack() = 0;
  // Removes what Stage wrote, for an unpack that will not be committed.
  virtual void AbandonUnpack() = 0;
  // Closes the archive and lets the held copy go.
  virtual void ClosePackage() = 0;

  // Asks the running main program to close and waits, a bounded time and
  // with the dialog still answering, until its window is gone and its
  // process has ended. True then, or when none was running; false when it
  // still runs after the bound.
  virtual bool CloseMainProgram(const std::wstring& windowClass, const std::wstring& messageName) = 0;
  // Starts the program of that file name from the updater's folder; failures are not reported.
  virtual void StartProgram(const std::wstring& fileName) = 0;
};

enum class EUpdaterState { kWaiting, kDownloading, kPaused, kInstalling, kEnded };

class CUpdaterFlow {
 public:
  CUpdaterFlow(IUpdaterHost& host, const SUpdaterRecord& record) : m_host(host), m_record(record) {}

  // The timer handler; always keeps the timer's own stop rule out of play.
  bool OnTimer();
  void OnPauseResume();
  void OnCancel();

  bool StopFlag() const { return m_stop; }
  EUpdaterState State() const { return m_state; }

 private:
  void DownloadFailed();
  bool PackageMatchesRecord();
  bool PackageIsSigned();
  void Install();

  IUpdaterHost& m_host;
  SUpdaterRecord m_record;
  bool m_stop = false;
  bool m_busy = false;  // a download step is running
  EUpdaterState m_state = EUpdaterState::kWaiting;
};

constexpr int kUpdaterDialogResult = 2;

}  // namespace corvane
