#include "skin/ControlToolTip.h"

#include <commctrl.h>

namespace corvane {
namespace {

TOOLINFOW ToolFor(HWND control, const std::wstring* text) {
  TOOLINFOW tool = {};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text ? const_cast<wchar_t*>(text->c_str()) : nullptr;
  return tool;
}

}  // namespace

void CControlToolTip::SetText(HWND control, const std::wstring& text) {
  if (!control) return;
  if (m_tip && !IsWindow(m_tip)) {  // went with the dialog
    m_tip = nullptr;
    m_toolAdded = false;
  }
  if (m_toolAdded && m_control != control) Destroy();
  m_control = control;
  m_text = text;
  if (text.empty()) {
    if (m_toolAdded) {
      TOOLINFOW tool = ToolFor(control, nullptr);
      SendMessageW(m_tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
      m_toolAdded = false;
    }
    return;
  }
  if (!m_tip) {
    // Owned by the dialog so that it stays above it and goes with it.
    m_tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetParent(control),
                            /*menu=*/nullptr, GetModuleHandleW(nullptr), /*param=*/nullptr);
    if (!m_tip) return;
  }
  TOOLINFOW tool = ToolFor(control, &m_text);
  if (m_toolAdded) {
    SendMessageW(m_tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  } else {
    m_toolAdded = SendMessageW(m_tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
  }
}

void CControlToolTip::Destroy() {
  if (m_tip && IsWindow(m_tip)) DestroyWindow(m_tip);
  m_tip = nullptr;
  m_toolAdded = false;
}

}  // namespace corvane
