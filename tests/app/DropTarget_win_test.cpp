// The file list's drop target, driven as the system drives it: a data
// object holding a shell file list (or not), key states, allowed effects.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DNedListDropTarget.h"

namespace corvane {
namespace {

// A data object offering one CF_HDROP file list in global memory, or
// nothing when made without paths.
class CFileListData : public IDataObject {
 public:
  explicit CFileListData(std::vector<std::wstring> paths, bool offerFileList = true)
      : m_paths(std::move(paths)), m_offer(offerFileList) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
      *object = this;
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    std::wstring list;
    for (const auto& path : m_paths) list += path + L'\0';
    list += L'\0';
    const SIZE_T bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    medium->pUnkForRelease = nullptr;
    ++m_handedOut;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return m_offer && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
  int HandedOut() const { return m_handedOut; }

 private:
  std::vector<std::wstring> m_paths;
  bool m_offer;
  int m_handedOut = 0;
};

class DropTarget : public ::testing::Test {
 protected:
  void SetUp() override {
    OleInitialize(nullptr);
    m_view = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    m_target = new CDNedListDropTarget(
        m_view,
        [this](const std::vector<std::wstring>& paths) {
          if (!m_accepting) return false;
          m_received.push_back(paths);
          return true;
        },
        [this] { return m_accepting; });
  }
  void TearDown() override {
    m_target->Release();
    DestroyWindow(m_view);
    OleUninitialize();
  }
  DWORD Enter(IDataObject* data, DWORD keys, DWORD allowed) {
    DWORD effect = allowed;
    EXPECT_EQ(m_target->DragEnter(data, keys, POINTL{5, 5}, &effect), S_OK);
    return effect;
  }
  DWORD Drop(IDataObject* data, DWORD keys, DWORD allowed) {
    DWORD effect = allowed;
    EXPECT_EQ(m_target->Drop(data, keys, POINTL{5, 5}, &effect), S_OK);
    return effect;
  }

  HWND m_view = nullptr;
  CDNedListDropTarget* m_target = nullptr;
  bool m_accepting = true;
  std::vector<std::vector<std::wstring>> m_received;
};

constexpr DWORD kAll = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

TEST_F(DropTarget, EffectWhileDraggingFollowsKeysAndData) {
  CFileListData files({L"C:\\v\\a.flv"});
  CFileListData text({}, /*offerFileList=*/false);
  EXPECT_EQ(Enter(&files, 0, kAll), static_cast<DWORD>(DROPEFFECT_COPY));
  DWORD effect = DROPEFFECT_MOVE | DROPEFFECT_LINK;
  EXPECT_EQ(m_target->DragOver(MK_CONTROL, POINTL{6, 6}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));  // copy asked for, not allowed
  effect = kAll;
  m_target->DragOver(MK_CONTROL | MK_SHIFT, POINTL{6, 6}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK));
  m_target->DragLeave();
  EXPECT_EQ(Enter(&text, 0, kAll), static_cast<DWORD>(DROPEFFECT_NONE));
  m_target->DragLeave();
  m_accepting = false;  // the Add... button is disabled
  EXPECT_EQ(Enter(&files, 0, kAll), static_cast<DWORD>(DROPEFFECT_NONE));
}

TEST_F(DropTarget, DropHandsOverThePathsInOrderAndReportsNoEffect) {
  CFileListData files({L"C:\\v\\b.mp4", L"C:\\v\\a.flv", L"C:\\v\\\u00e9t\u00e9 & co.avi"});
  Enter(&files, 0, DROPEFFECT_MOVE);
  EXPECT_EQ(Drop(&files, 0, DROPEFFECT_MOVE), static_cast<DWORD>(DROPEFFECT_NONE));
  ASSERT_EQ(m_received.size(), 1u);
  EXPECT_EQ(m_received[0],
            (std::vector<std::wstring>{L"C:\\v\\b.mp4", L"C:\\v\\a.flv", L"C:\\v\\\u00e9t\u00e9 & co.avi"}));
}

TEST_F(DropTarget, NothingIsTakenWhenAddingIsDisabledOrTheDataHasNoFiles) {
  CFileListData files({L"C:\\v\\a.flv"});
  CFileListData text({}, /*offerFileList=*/false);
  m_accepting = false;
  EXPECT_EQ(Drop(&files, 0, kAll), static_cast<DWORD>(DROPEFFECT_NONE));
  m_accepting = true;
  EXPECT_EQ(Drop(&text, 0, kAll), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(Drop(&files, MK_CONTROL, DROPEFFECT_MOVE), static_cast<DWORD>(DROPEFFECT_NONE));  // copy not allowed
  EXPECT_TRUE(m_received.empty());
  EXPECT_EQ(text.HandedOut(), 0);
}

TEST_F(DropTarget, PathsLongerThanMaxPathArriveWholeInTheirLongForm) {
  // 600 characters in folders of 100, once in the "\\?\" form and once
  // plain, between two short paths.
  std::wstring plain = L"C:";
  while (plain.size() < 590) plain += L"\\" + std::wstring(99, L'x');
  plain.resize(596);
  plain += L".flv";
  ASSERT_EQ(600u, plain.size());
  const std::wstring longForm = L"\\\\?\\" + plain;
  CFileListData files({L"C:\\v\\a.flv", longForm, plain, L"C:\\v\\b.flv"});
  Drop(&files, 0, DROPEFFECT_COPY);
  ASSERT_EQ(m_received.size(), 1u);
  EXPECT_EQ(m_received[0], (std::vector<std::wstring>{L"C:\\v\\a.flv", longForm, longForm, L"C:\\v\\b.flv"}));
}

}  // namespace
}  // namespace corvane
