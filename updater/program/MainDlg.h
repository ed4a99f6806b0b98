#pragma once
// The updater's only window: a modal dialog showing the download, with
// Pause/Resume and Cancel. It forwards its timer and buttons to CUpdaterFlow
// and serves as that flow's host (Windows only).
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <memory>
#include <string>

#include "base/DialogImpl.h"
#include "base/UiTimer.h"
#include "base/UniqueHandle.h"
#include "settings/MultiLanguage.h"
#include "updater/HeldPackage.h"
#include "updater/UnpackFileSystem.h"
#include "updater/UnpackTransaction.h"
#include "updater/UpdaterFlow.h"
#include "updater/Unzipper.h"

namespace corvane {

class CMainDlg : public TDialogImpl<CMainDlg>, public IUpdaterHost {
 public:
  explicit CMainDlg(const SUpdaterRecord& record);
  ~CMainDlg() override;

  // Runs the dialog; returns its result (2 on every path).
  int DoModal(HWND owner);

  // IDownloadHost
  std::unique_ptr<IHttpBody> Get(const std::wstring& url) override;
  std::unique_ptr<IPackageWriter> CreatePackage(const std::wstring& path) override;
  void DeletePackage(const std::wstring& path) override;
  uint32_t TickCount() override;
  void Sleep(uint32_t ms) override;
  void PumpMessages() override;
  bool StopRequested() override { return m_flow.StopFlag(); }
  void ShowUrl(std::wstring_view url) override;
  void ShowSize(const std::wstring& text) override;
  void ShowProgress(int position) override;
  void ShowStatus(const std::wstring& text) override;
  void WriteDiagnostics(std::string_view text) override;
  void FallBack() override;

  // IUpdaterHost
  void StartTimer() override;
  void StopTimer() override;
  std::wstring Translate(const std::wstring& english) override;
  void SetPauseLabel(const std::wstring& text) override;
  void DisablePause() override;
  void ShowFailure(const std::wstring& text) override;
  void OpenInstallerPage() override;
  void PostClose() override;
  void EndDialog(int result) override;
  bool HoldPackage(const std::wstring& downloadPath) override;
  bool PackageSha256(std::string& hex) override;
  SSignatureVerdict VerifyPackage(const std::string& signatureBase64) override;
  bool OpenPackage() override;
  bool StageUnpack() override;
  bool CommitUnpack() override;
  void AbandonUnpack() override;
  void ClosePackage() override;
  void Log(const std::wstring& text) override;
  bool CloseMainProgram(const std::wstring& windowClass, const std::wstring& messageName) override;
  void StartProgram(const std::wstring& fileName) override;

 private:
  friend class TDialogImpl<CMainDlg>;
  bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // A failed step ends the dialog.
  INT_PTR OnUnexpectedException();
  void OnInitDialog();
  bool OnCommand(UINT id);
  void OnEraseBackground(HDC dc);
  void CreateStatusBar();
  void LoadBanner();

  SUpdaterRecord m_record;
  CUpdaterFlow m_flow;
  CHeldPackage m_package;  // the copy in the protected folder, from HoldPackage to ClosePackage
  CUnzipper m_unzipper;    // reads m_package
  CUnpackFileSystem m_files;
  std::unique_ptr<CUnpackTransaction> m_unpack;  // between StageUnpack and CommitUnpack
  std::unique_ptr<CMultiLanguage> m_languages;
  std::unique_ptr<UiTimer> m_timer;
  Microsoft::WRL::ComPtr<IPicture> m_banner;
  HWND m_statusBar = nullptr;
  CIconHandle m_failureIcon;
  CIconHandle m_bigIcon;
  CIconHandle m_smallIcon;
  std::wstring m_folder;  // the updater's own folder, with trailing backslash
};

}  // namespace corvane
