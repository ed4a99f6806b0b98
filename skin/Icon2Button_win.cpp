#include "skin/Icon2Button.h"

#include "skin/CaptionMessages.h"

namespace corvane {

void CIcon2Button::SetImageLists(HIMAGELIST normal, HIMAGELIST disabled, int index) {
  m_disabledImages = disabled;
  m_index = index;
  SetImageList(normal, /*shared=*/true);
}

void CIcon2Button::ImageFor(EButtonImage image, HIMAGELIST& list, int& index) const {
  list = image == EButtonImage::kDisabled && m_disabledImages ? m_disabledImages : ImageList();
  index = m_index;
}

void CIcon2Button::OnAttached() {
  const int length = GetWindowTextLengthW(Handle());
  std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(Handle(), text.data(), length + 1)));
  m_caption = text;
  CF3dBitmapButton::OnAttached();
  CaptionChanged();
}

void CIcon2Button::SetCaption(const std::wstring& caption) {
  m_caption = caption;
  if (!Handle()) return;
  DefaultProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_caption.c_str()));
  CaptionChanged();
}

void CIcon2Button::CaptionChanged() {
  SetToolTipText(m_caption);
  Redraw();
}

bool CIcon2Button::ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const auto setCaption = [this](const wchar_t* caption) { SetCaption(caption); };
  if (AnswerCaptionMessage(message, wParam, lParam, m_caption, setCaption, result)) return true;
  switch (message) {
    case WM_SETTEXT:
      result = DefaultProc(message, wParam, lParam);
      m_caption = lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"";
      CaptionChanged();
      return true;
    default:
      return CF3dBitmapButton::ProcessWindowMessage(message, wParam, lParam, result);
  }
}

}  // namespace corvane
