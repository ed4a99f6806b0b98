#pragma once
// The file list view (Windows only: include from _win.cpp files): a virtual
// report list over the job's file list with the columns "Order", "Filename"
// and "File Path", whose layout is kept in the settings between runs.
//
// The control itself is the explorer-style list with a flat header
// (TVistaStyleListCtrl); the list's notifications go to the main window,
// which forwards them to HandleNotify.
#include <windows.h>
#include <wrl/client.h>

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/DNedListDropTarget.h"
#include "skin/FlatHeaderListCtrl.h"

namespace corvane {

class CFlvInfoListCtrl : public TVistaStyleListCtrl<CFlvInfoListCtrl, CFlatHeaderListCtrl> {
 public:
  static constexpr int kControlId = 1011;

  // Binds the view to the list control, registers it for dropped files,
  // attaches the system's small icons, builds the columns and applies the
  // saved layout (capturing it when nothing was saved yet), then shows the
  // model. canAdd: whether files may be added now (the Add... button's
  // state governs drops); changed: called after a drop added files.
  void OnInit(HWND list, std::function<bool()> canAdd = {}, std::function<void()> changed = {});
  // Revokes the drop target and captures the column layout into the
  // settings (written at exit).
  void OnDestroy();

  // The list's notifications; true when handled (result set).
  bool HandleNotify(const NMHDR* header, LRESULT& result);

  // List operations on the job's file list. Each returns true when it
  // changed something (the caller then updates the buttons).
  bool AddFilesFromDialog(HWND owner);
  bool AddFiles(const std::vector<std::wstring>& paths);
  bool RemoveSelected();
  bool MoveSelectedUp();
  bool MoveSelectedDown();
  std::optional<size_t> SelectedOrFirst() const;
  void Refresh();

 private:
  std::optional<size_t> Selected() const;
  void Select(size_t index);
  void BuildColumns();
  void PaintRow(HDC target, int row);
  // The index in the system's small icons of the file's type. The shell is
  // asked by the name's extension alone, never the file itself (the list is
  // painted on the window's thread, which a file on a share that stopped
  // answering would hold), and once per extension, not at every paint.
  int IconIndex(const std::wstring& path);
  std::vector<std::wstring> AskFilesToAdd(HWND owner);

  void CaptureLayout();
  // Files dropped on the view; false when drops are not wanted now.
  bool AddDroppedFiles(const std::vector<std::wstring>& paths);

  HWND m_list = nullptr;
  Microsoft::WRL::ComPtr<CDNedListDropTarget> m_dropTarget;
  std::function<bool()> m_canAdd;
  std::function<void()> m_changed;
  std::wstring m_textBuffer;  // the last display text handed to the list
  std::unordered_map<std::wstring, int> m_iconIndex;  // by lower-case extension
};

}  // namespace corvane
