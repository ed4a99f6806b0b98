#include "app/DNedListDropTarget.h"

#include <shellapi.h>
#include <shlguid.h>

#include "app/DropEffect.h"
#include "base/LongPathForm.h"

namespace corvane {
namespace {

FORMATETC FileListFormat() { return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

// Releases a storage medium GetData filled, on every way out.
class CStorageMedium {
 public:
  explicit CStorageMedium(STGMEDIUM& medium) : m_medium(medium) {}
  ~CStorageMedium() { ReleaseStgMedium(&m_medium); }
  CStorageMedium(const CStorageMedium&) = delete;
  CStorageMedium& operator=(const CStorageMedium&) = delete;

 private:
  STGMEDIUM& m_medium;
};

bool HoldsFileList(IDataObject* data) {
  FORMATETC format = FileListFormat();
  return data && data->QueryGetData(&format) == S_OK;
}

}  // namespace

std::vector<std::wstring> DroppedPaths(HDROP drop) {
  std::vector<std::wstring> paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    // Asked first for its length (without the terminator): a path may be far
    // longer than MAX_PATH, and a cut one names another file or none.
    const UINT length = DragQueryFileW(drop, i, /*file=*/nullptr, 0);
    if (length == 0) continue;
    std::wstring path(length + 1, L'\0');
    const UINT copied = DragQueryFileW(drop, i, path.data(), length + 1);
    if (copied != length) continue;
    path.resize(length);
    // A long path is kept in the form every later step can open with it.
    paths.push_back(LongPathForm(path));
  }
  return paths;
}

CDNedListDropTarget::CDNedListDropTarget(HWND view, AddHandler add, AcceptingHandler accepting)
    : m_view(view), m_add(std::move(add)), m_accepting(std::move(accepting)) {
  // The shell's drag image; dragging works without it.
  if (FAILED(CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&m_helper)))) {
    m_helper.Reset();
  }
}

bool CDNedListDropTarget::Register() {
  m_registered = SUCCEEDED(RegisterDragDrop(m_view, this));
  return m_registered;
}

void CDNedListDropTarget::Revoke() {
  if (m_registered) RevokeDragDrop(m_view);
  m_registered = false;
}

HRESULT CDNedListDropTarget::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG CDNedListDropTarget::AddRef() { return ++m_references; }

ULONG CDNedListDropTarget::Release() {
  const ULONG left = --m_references;
  if (left == 0) delete this;
  return left;
}

void CDNedListDropTarget::AddFileList(IDataObject* data) {
  FORMATETC format = FileListFormat();
  STGMEDIUM medium = {};
  if (data->GetData(&format, &medium) != S_OK) return;
  const CStorageMedium owner(medium);
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) m_add(DroppedPaths(static_cast<HDROP>(medium.hGlobal)));
}

DWORD CDNedListDropTarget::Effect(DWORD keys, DWORD allowed) const {
  const bool accepting = !m_accepting || m_accepting();
  return ChooseDropEffect(m_hasFileList && accepting, keys, allowed);
}

HRESULT CDNedListDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  m_hasFileList = HoldsFileList(data);
  *effect = Effect(keys, *effect);
  if (m_helper) {
    POINT at = {point.x, point.y};
    m_helper->DragEnter(m_view, data, &at, *effect);
  }
  return S_OK;
}

HRESULT CDNedListDropTarget::DragOver(DWORD keys, POINTL point, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  *effect = Effect(keys, *effect);
  if (m_helper) {
    POINT at = {point.x, point.y};
    m_helper->DragOver(&at, *effect);
  }
  return S_OK;
}

HRESULT CDNedListDropTarget::DragLeave() {
  m_hasFileList = false;
  if (m_helper) m_helper->DragLeave();
  return S_OK;
}

HRESULT CDNedListDropTarget::Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  m_hasFileList = HoldsFileList(data);
  const DWORD chosen = Effect(keys, *effect);
  if (m_helper) {
    POINT at = {point.x, point.y};
    m_helper->Drop(data, &at, chosen);
  }
  if (chosen != kDropNone && m_add) {
    try {
      AddFileList(data);
    } catch (...) {
      // nothing may leave a COM method
    }
  }
  // The source must never delete what it dragged here.
  *effect = DROPEFFECT_NONE;
  m_hasFileList = false;
  return S_OK;
}

}  // namespace corvane
