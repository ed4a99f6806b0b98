#pragma once
// The main window: the modeless dialog 129.
//
// It holds the window identity, the file list's job (CJoinConvData) and the
// join controller, which it hosts: commands posted as WM_COMMAND, the queue
// and monitor timers as 1000 ms UI timers, progress on control 148, messages
// through the show-message routine, the result in the property display.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/FlvInfoListCtrl.h"
#include "app/MainDlgIECtrlFj.h"
#include "base/UniqueHandle.h"
#include "engine/JoinController.h"
#include "engine/JoinHost.h"
#include "engine/JoinStepsImpl.h"
#include "online/BannerWindow.h"
#include "online/HideIEDlgBase.h"
#include "skin/CommandImageList.h"
#include "skin/DeadLink.h"
#include "skin/Icon2Button.h"

namespace corvane {

class UiTimer;
class CFilePlayer;
class CMultiLangCombobox;
class CVersionCheckWorker;

// The dialog base hosts the web panel as child 153 and sees its messages
// first.
class CMainDlg : public THideIEDlgBase<CMainDlg, 153>, public IJoinHost {
 public:
  CMainDlg();
  ~CMainDlg() override;
  CMainDlg(const CMainDlg&) = delete;
  CMainDlg& operator=(const CMainDlg&) = delete;

  // Creates the dialog modeless and without a parent; false on failure.
  bool Create();

  // IJoinHost
  void PostCommand(int commandId) override;
  void StartQueueTimer() override;
  void StopTimers() override;
  void SetProgress(int position) override;
  void ShowMessage(const SUserMessage& message, const std::wstring& caption) override;
  bool AskYesNo(const SUserMessage& message, const std::wstring& caption) override;
  void RefreshFileList() override;
  void UpdateButtons() override;
  void EndProgram() override;
  bool PromptOutputPath(std::wstring& path) override;
  bool IsFastJoinChecked() override;
  void ShowResult(const SVideoPropertyInfo& info) override;
  void SendDiagnosticReport(const std::wstring& sourceUrl) override;
  void SendCompletionNotice() override;

  // The web panel's events (from the dialog base).
  void OnBeforeNavigate(const std::wstring& url, const std::string& postData, bool& cancel);
  void OnNavigateError(const std::wstring& url, long statusCode);
  void OnDocumentComplete(const std::wstring&) {}
  void OnTitleChange(const std::wstring&) {}

 private:
  friend class THideIEDlgBase<CMainDlg, 153>;
  // One switch for every message; true when handled (result set).
  bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool OnInitDialog();
  bool OnCommand(WORD id, WORD code, HWND control);
  void EnableControl(int id, bool enabled);
  void SetUpListButtons();
  // The list's own commands (Add, Remove, Move, Play, Property); false for others.
  bool OnListCommand(WORD id);
  void PlaySelected();
  void StartDownloader();
  void SetWindowIcons();
  void ChooseOutputFolder();
  void OpenOutputFolder();
  void ShowSelectedProperties();
  void NavigatePanelToStartPage();
  void ShowPanelBanner();
  // A page of ours in a stand-alone browser window, with the language added.
  void OpenBrowserWindow(const std::wstring& address);

  bool m_ending = false;
  CJoinSteps m_steps;
  std::unique_ptr<CJoinController> m_controller;
  std::unique_ptr<UiTimer> m_queueTimer;
  std::unique_ptr<UiTimer> m_monitorTimer;
  std::unique_ptr<UiTimer> m_panelTimer;  // the web panel's start page every 5 minutes
  std::unique_ptr<CVersionCheckWorker> m_versionCheck;
  std::unique_ptr<CFilePlayer> m_player;  // Play... looks at its file off this thread
  std::unique_ptr<CMultiLangCombobox> m_languageBox;
  CFlvInfoListCtrl m_fileList;
  // The command images outlive the six list buttons that share them.
  CCommandImageList m_commandImages;
  CIcon2Button m_listButtons[6];
  CDeadLink m_homeLink;  // command 1039 opens the maker's page
  CBannerWindow m_panelBanner;  // over the web panel where no page can be shown
  CMainDlgIECtrl_fj m_secondBrowser;
  CIconHandle m_bigIcon;
  CIconHandle m_smallIcon;
  std::wstring m_outputFolder;  // the "SaveTo" setting, chosen with command 1001
};

}  // namespace corvane
