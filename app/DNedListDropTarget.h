#pragma once
// Files dropped from the shell onto the file list (Windows only: include
// from _win.cpp files). Accepts one format, a file list (CF_HDROP in global
// memory); shows the shell's drag image where the system offers it; always
// reports the effect "none" back so that the source never deletes or moves
// its files.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace corvane {

class CDNedListDropTarget final : public IDropTarget {
 public:
  // Receives the dropped paths in drop order; returns false when drops are
  // not wanted now (the Add... button is disabled).
  using AddHandler = std::function<bool(const std::vector<std::wstring>&)>;
  // Tells whether drops are wanted at all, for the effect shown while dragging.
  using AcceptingHandler = std::function<bool()>;

  CDNedListDropTarget(HWND view, AddHandler add, AcceptingHandler accepting);

  // Registers with the system; false when it fails (the list then works
  // without drops).
  bool Register();
  void Revoke();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDropTarget
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

 private:
  ~CDNedListDropTarget() = default;
  // Hands the file list in `data` to m_add (nothing when it cannot be read).
  void AddFileList(IDataObject* data);
  DWORD Effect(DWORD keys, DWORD allowed) const;

  std::atomic<ULONG> m_references{1};
  HWND m_view;
  AddHandler m_add;
  AcceptingHandler m_accepting;
  bool m_registered = false;
  bool m_hasFileList = false;
  Microsoft::WRL::ComPtr<IDropTargetHelper> m_helper;
};

// The paths of a CF_HDROP file list, each whole however long it is; those of
// MAX_PATH characters or more in their "\\?\" form (LongPathForm).
std::vector<std::wstring> DroppedPaths(HDROP drop);

}  // namespace corvane
