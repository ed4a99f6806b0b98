#pragma once
// Owners of the handle kinds that are not kernel HANDLEs (those have
// CHandle in base/Handle.h): icons, image lists, memory the shell hands
// out, BSTRs, VARIANTs and window hooks (Windows only: include from _win.cpp files).
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <oleauto.h>
#include <ole2.h>

namespace corvane {

// Move-only; frees a non-null handle with `TFree` when destroyed.
// Out-parameters are filled through Put().
template <class THandle, class TFree>
class TUniqueHandle {
 public:
  TUniqueHandle() = default;
  explicit TUniqueHandle(THandle handle) : m_handle(handle) {}
  ~TUniqueHandle() { Reset(); }
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;
  TUniqueHandle(TUniqueHandle&& other) noexcept : m_handle(other.Detach()) {}
  TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Detach());
    return *this;
  }

  THandle Get() const { return m_handle; }
  explicit operator bool() const { return m_handle != THandle(); }
  THandle* Put() {
    Reset();
    return &m_handle;
  }
  THandle Detach() {
    THandle handle = m_handle;
    m_handle = THandle();
    return handle;
  }
  void Reset(THandle handle = THandle()) {
    if (m_handle != THandle()) TFree()(m_handle);
    m_handle = handle;
  }

 private:
  THandle m_handle = THandle();
};

struct SDestroyIcon {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct SDestroyImageList {
  void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
struct SCoTaskMemFree {
  void operator()(void* memory) const { CoTaskMemFree(memory); }
};
struct SSysFreeString {
  void operator()(BSTR text) const { SysFreeString(text); }
};
struct SFreeLibrary {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
struct SGlobalFree {
  void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};
struct SDeleteObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct SUnhookWindowsHook {
  void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
};
struct SLocalFree {
  void operator()(HLOCAL memory) const { LocalFree(memory); }
};
struct SFindClose {
  void operator()(HANDLE search) const { FindClose(search); }
};

// An icon from LoadImage/CreateIcon (not a shared one from LoadIcon).
using CIconHandle = TUniqueHandle<HICON, SDestroyIcon>;
using CImageListHandle = TUniqueHandle<HIMAGELIST, SDestroyImageList>;
// Memory the shell or COM allocated for us: PIDLs, display names.
template <class T>
using TCoTaskMem = TUniqueHandle<T*, SCoTaskMemFree>;
using CBstr = TUniqueHandle<BSTR, SSysFreeString>;
// A library this program loaded itself (LoadLibrary).
using CLibraryHandle = TUniqueHandle<HMODULE, SFreeLibrary>;
using CGlobalMemory = TUniqueHandle<HGLOBAL, SGlobalFree>;
// Memory the system allocated with LocalAlloc for us (security descriptors).
using CLocalMemory = TUniqueHandle<HLOCAL, SLocalFree>;
// A hook procedure this program installed (SetWindowsHookEx).
using CWindowsHook = TUniqueHandle<HHOOK, SUnhookWindowsHook>;
// A search FindFirstFile began (wrap only a handle it gave, never
// INVALID_HANDLE_VALUE).
using CFindHandle = TUniqueHandle<HANDLE, SFindClose>;
// A font, brush, bitmap or pen (not one selected into a DC at the time).
template <class THandle>
using TGdiObject = TUniqueHandle<THandle, SDeleteObject>;

// One of this program's icons at the size the two system metrics give
// (SM_CXICON/SM_CYICON, SM_CXSMICON/SM_CYSMICON); empty when missing.
inline CIconHandle LoadIconOfSize(int id, int widthMetric, int heightMetric) {
  return CIconHandle(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                                   GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric),
                                                   LR_DEFAULTCOLOR)));
}

// A VARIANT cleared (and whatever it holds released) when destroyed.
class CVariant {
 public:
  CVariant() { VariantInit(&m_value); }
  ~CVariant() { VariantClear(&m_value); }
  CVariant(const CVariant&) = delete;
  CVariant& operator=(const CVariant&) = delete;

  VARIANT* Get() { return &m_value; }
  VARIANT& operator*() { return m_value; }
  VARIANT* operator->() { return &m_value; }

 private:
  VARIANT m_value;
};

// COM (and, with `withOle`, OLE: drag and drop, the clipboard) on this
// thread for one scope; each is left again only when entering it succeeded.
class CComApartment {
 public:
  explicit CComApartment(bool withOle = false)
      : m_com(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)), m_ole(withOle ? OleInitialize(nullptr) : E_FAIL) {}
  ~CComApartment() {
    if (SUCCEEDED(m_ole)) OleUninitialize();
    if (SUCCEEDED(m_com)) CoUninitialize();
  }
  CComApartment(const CComApartment&) = delete;
  CComApartment& operator=(const CComApartment&) = delete;

 private:
  HRESULT m_com;
  HRESULT m_ole;
};

}  // namespace corvane
