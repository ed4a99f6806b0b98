#include <windows.h>
#include <commctrl.h>

#include "base/UniqueHandle.h"
#include "settings/LanguageIconList.h"

namespace corvane {

struct CLanguageIconList::SImpl {
  CImageListHandle list;
};

CLanguageIconList::CLanguageIconList() : m_impl(std::make_unique<SImpl>()) {
  m_impl->list.Reset(ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, /*initial=*/1, /*grow=*/1));
}

CLanguageIconList::~CLanguageIconList() = default;

void CLanguageIconList::Clear() {
  if (m_impl->list) ImageList_RemoveAll(m_impl->list.Get());
}

int CLanguageIconList::Add(const std::wstring& bitmapPath) {
  if (!m_impl->list) return -1;
  const TGdiObject<HBITMAP> bitmap(static_cast<HBITMAP>(
      LoadImageW(nullptr, bitmapPath.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  if (!bitmap) return -1;
  return ImageList_AddMasked(m_impl->list.Get(), bitmap.Get(), RGB(255, 0, 255));  // the list keeps a copy
}

int CLanguageIconList::Count() const { return m_impl->list ? ImageList_GetImageCount(m_impl->list.Get()) : 0; }

void* CLanguageIconList::Handle() const { return m_impl->list.Get(); }

}  // namespace corvane
