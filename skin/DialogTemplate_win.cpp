#include "skin/DialogTemplate.h"

#include <cstring>

namespace corvane {
namespace {

template <class T>
void AppendStruct(std::vector<WORD>& out, const T& value) {
  static_assert(sizeof(T) % sizeof(WORD) == 0, "templates are made of words");
  const size_t at = out.size();
  out.resize(at + sizeof(T) / sizeof(WORD));
  std::memcpy(out.data() + at, &value, sizeof(T));
}

}  // namespace

CDialogTemplate::CDialogTemplate(DWORD style, const std::wstring& title, int cx, int cy, WORD pointSize,
                                 const std::wstring& font) {
  DLGTEMPLATE dialog = {};
  dialog.style = style | DS_SETFONT;
  dialog.cx = static_cast<short>(cx);
  dialog.cy = static_cast<short>(cy);
  AppendStruct(m_words, dialog);
  m_countAt = offsetof(DLGTEMPLATE, cdit) / sizeof(WORD);
  m_words.push_back(0);  // no menu
  m_words.push_back(0);  // the system's dialog class
  AppendText(title);
  m_words.push_back(pointSize);
  AppendText(font);
}

void CDialogTemplate::AddItem(const std::wstring& className, const std::wstring& text, WORD id, DWORD style, int x,
                              int y, int cx, int cy, DWORD exStyle) {
  AlignToDword();
  DLGITEMTEMPLATE item = {};
  item.style = style | WS_CHILD;
  item.dwExtendedStyle = exStyle;
  item.x = static_cast<short>(x);
  item.y = static_cast<short>(y);
  item.cx = static_cast<short>(cx);
  item.cy = static_cast<short>(cy);
  item.id = id;
  AppendStruct(m_words, item);
  AppendText(className);
  AppendText(text);
  m_words.push_back(0);  // no creation data
  ++m_words[m_countAt];
}

void CDialogTemplate::AppendText(const std::wstring& text) {
  m_words.insert(m_words.end(), text.begin(), text.end());
  m_words.push_back(0);
}

void CDialogTemplate::AlignToDword() {
  if (m_words.size() % 2) m_words.push_back(0);
}

}  // namespace corvane
