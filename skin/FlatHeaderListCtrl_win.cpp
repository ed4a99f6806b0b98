#include "skin/FlatHeaderListCtrl.h"

#include <commctrl.h>
#include <uxtheme.h>

namespace corvane {

HWND CFlatHeaderListCtrl::Header() const { return Handle() ? ListView_GetHeader(Handle()) : nullptr; }

void CFlatHeaderListCtrl::OnAttached() {
  HWND header = Header();
  if (!header) return;
  SetWindowLongPtrW(header, GWL_STYLE, GetWindowLongPtrW(header, GWL_STYLE) | HDS_FLAT);
  InvalidateRect(header, nullptr, TRUE);
}

// The list keeps its own handling of every message; the flat look is set up
// once when attached.
bool CFlatHeaderListCtrl::ProcessWindowMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void ApplyExplorerLook(HWND list) {
  if (!list) return;
  // Without visual styles (or under Wine without a theme) this changes
  // nothing and the list keeps the classic look.
  SetWindowTheme(list, L"Explorer", nullptr);
  constexpr DWORD kLook = LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT;
  ListView_SetExtendedListViewStyleEx(list, kLook, kLook);
}

}  // namespace corvane
