#pragma once
// The property dialog (Windows only: include from _win.cpp files): the
// media information of one file, a list entry or the result of a join.
#include <windows.h>

#include <memory>
#include <mutex>
#include <string>

#include "engine/ToolStop.h"
#include "engine/VideoPropertyInfo.h"
#include "online/HideIEDlgBase.h"

namespace corvane {

class CFilePlayer;

// The banner page "snap.htm" of the program's resources is shown by the
// browser control 172 that the dialog base hosts.
class CFilePropertyDlg : public THideIEDlgBase<CFilePropertyDlg, 172> {
 public:
  // Shows a record already made (the result of a join).
  explicit CFilePropertyDlg(const SVideoPropertyInfo& info);
  // Shows the file's name at once and probes the file on a worker of its
  // own meanwhile: a file on a share that stopped answering would otherwise
  // keep the window's thread waiting. The dialog looks busy until the probe
  // has ended, and closing it ends the probe at once.
  explicit CFilePropertyDlg(std::wstring path);
  ~CFilePropertyDlg();
  CFilePropertyDlg(const CFilePropertyDlg&) = delete;
  CFilePropertyDlg& operator=(const CFilePropertyDlg&) = delete;

  // Shows the dialog modally, centred on its owner.
  INT_PTR DoModal(HWND owner);
  // After DoModal: the probe ended without a description of the file (the
  // dialog then closed itself; the caller says so).
  bool ProbeFailed() const { return m_probeFailed; }

 private:
  friend class THideIEDlgBase<CFilePropertyDlg, 172>;
  bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void OnInitDialog(HWND window);
  void LoadBanner();
  bool OnCommand(HWND window, WORD id);
  void ShowRecord(HWND window);
  void StartProbe(HWND window);
  void OnProbeEnded(HWND window, bool probed);
  // Ends a running probe's tool and waits for its worker.
  void StopProbe();

  SVideoPropertyInfo m_info;
  std::wstring m_probePath;  // empty when the record was given
  // The running probe, shared with its thread: closing the dialog stops the
  // tool and leaves without waiting, and the thread finishes alone.
  struct SProbe {
    CToolStop stop;
    std::mutex lock;
    HWND window = nullptr;     // null once the dialog stopped listening
    SVideoPropertyInfo probed;  // complete when kProbeEndedMessage arrives
  };
  std::shared_ptr<SProbe> m_probe;
  std::unique_ptr<CFilePlayer> m_player;  // its Play... looks at the file off this thread
  bool m_busy = false;
  bool m_probeFailed = false;
};

}  // namespace corvane
