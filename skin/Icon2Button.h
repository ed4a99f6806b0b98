#pragma once
// An image button showing one 16 x 16 command image (Windows only: include
// from _win.cpp files): the image of one index from two parallel image
// lists, the normal list for the normal, pressed and hover looks and the
// disabled list for the disabled look (CCommandImageList holds such a pair;
// the lists are shared, never destroyed by the button).
//
// It keeps its own copy of the caption text: the control's window text
// follows it (what accessibility tools read), the tool tip shows it, and the
// language manager reaches it through the private caption messages.
#include <string>

#include "skin/F3dBitmapButton.h"

namespace corvane {

class CIcon2Button : public CF3dBitmapButton {
 public:
  void SetImageLists(HIMAGELIST normal, HIMAGELIST disabled, int index);

  const std::wstring& Caption() const { return m_caption; }
  // Replaces the caption (already translated by the caller); the tool tip
  // follows.
  void SetCaption(const std::wstring& caption);

 protected:
  bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnAttached() override;
  void ImageFor(EButtonImage image, HIMAGELIST& list, int& index) const override;

 private:
  void CaptionChanged();

  HIMAGELIST m_disabledImages = nullptr;  // shared
  int m_index = -1;
  std::wstring m_caption;
};

}  // namespace corvane
