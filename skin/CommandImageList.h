#pragma once
// The two parallel lists of 16 x 16 command images (Windows only: include
// from _win.cpp files): the normal look and the disabled look at the same
// index (slots in CommandImages.h). Image buttons attach both as shared;
// this object destroys them, so it must outlive those buttons.
#include <windows.h>
#include <commctrl.h>

#include "base/UniqueHandle.h"
#include "skin/CommandImages.h"

namespace corvane {

class CCommandImageList {
 public:
  CCommandImageList() = default;
  ~CCommandImageList() = default;
  CCommandImageList(const CCommandImageList&) = delete;
  CCommandImageList& operator=(const CCommandImageList&) = delete;

  // Makes both lists with every slot transparent; false when the system
  // refuses (the buttons then show no image).
  bool Create();
  // Puts `icon` (any size; drawn at 16 x 16) at `index` of the normal list
  // and its greyed copy at `index` of the disabled list. The icon stays the
  // caller's. False for an index outside the lists or a drawing failure.
  bool SetImage(int index, HICON icon);
  bool SetImage(ECommandImage image, HICON icon) { return SetImage(CommandImageIndex(image), icon); }

  HIMAGELIST Normal() const { return m_normal.Get(); }
  HIMAGELIST Disabled() const { return m_disabled.Get(); }
  void Destroy();

 private:
  CImageListHandle m_normal;
  CImageListHandle m_disabled;
};

}  // namespace corvane
