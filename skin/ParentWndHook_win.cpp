// The non-client messages of a skinned window (CFrameSkin::CParentWndHook).
#include "skin/FrameSkin.h"

#include <windowsx.h>
#include <commctrl.h>

#include "skin/FrameSkinManager.h"
#include "skin/MaximisedSize.h"
#include "skin/SkinHitTest.h"
#include "skin/WindowRegionPlan.h"

namespace corvane {
namespace {

// Subclass id of the frame hook; the custom controls' base uses another, so
// a dialog can carry both (its drop shadows and its frame).
constexpr UINT_PTR kFrameHookId = 0xF5C1;
// A second click on the System button within this time of the menu opening
// closes the window, the way a double click on the icon does.
constexpr DWORD kQuickCloseMs = 300;

SSkinRect WindowRectOf(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return SSkinRect{r.left, r.top, r.right, r.bottom};
}

LRESULT HitCode(ESkinHit hit) {
  switch (hit) {
    case ESkinHit::kSystemMenu: return HTSYSMENU;
    case ESkinHit::kMinimise: return HTMINBUTTON;
    case ESkinHit::kMaximise: return HTMAXBUTTON;
    case ESkinHit::kClose: return HTCLOSE;
    case ESkinHit::kTopLeft: return HTTOPLEFT;
    case ESkinHit::kTop: return HTTOP;
    case ESkinHit::kTopRight: return HTTOPRIGHT;
    case ESkinHit::kLeft: return HTLEFT;
    case ESkinHit::kRight: return HTRIGHT;
    case ESkinHit::kBottomLeft: return HTBOTTOMLEFT;
    case ESkinHit::kBottom: return HTBOTTOM;
    case ESkinHit::kBottomRight: return HTBOTTOMRIGHT;
    case ESkinHit::kCaption: return HTCAPTION;
    case ESkinHit::kClient: return HTCLIENT;
    case ESkinHit::kBorder: return HTBORDER;
  }
  return HTBORDER;
}

int RegionMode(ERegionCombine combine) {
  switch (combine) {
    case ERegionCombine::kAnd: return RGN_AND;
    case ERegionCombine::kDiff: return RGN_DIFF;
    case ERegionCombine::kOr: return RGN_OR;
    case ERegionCombine::kXor: return RGN_XOR;
    case ERegionCombine::kStart:
    case ERegionCombine::kCopy: return RGN_COPY;
  }
  return RGN_COPY;
}

HRGN CreateShape(const SRegionStep& step) {
  const SSkinRect& r = step.rect;
  switch (step.shape) {
    case ERegionShape::kRectangle: return CreateRectRgn(r.left, r.top, r.right, r.bottom);
    case ERegionShape::kEllipse: return CreateEllipticRgn(r.left, r.top, r.right, r.bottom);
    case ERegionShape::kRoundRect:
      return CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, step.cornerWidth, step.cornerHeight);
  }
  return nullptr;
}

// The region the steps describe; null when a shape cannot be made.
HRGN BuildRegion(const std::vector<SRegionStep>& steps) {
  TGdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
  if (!region) return nullptr;
  for (const SRegionStep& step : steps) {
    const TGdiObject<HRGN> shape(CreateShape(step));
    if (!shape) return nullptr;
    // A copy takes the shape alone; the other modes join it to the region.
    const int mode = RegionMode(step.combine);
    const int joined = mode == RGN_COPY ? CombineRgn(region.Get(), shape.Get(), nullptr, RGN_COPY)
                                        : CombineRgn(region.Get(), region.Get(), shape.Get(), mode);
    if (joined == ERROR) return nullptr;
  }
  return region.Detach();
}

struct SWorkArea {
  RECT monitor = {};
  RECT work = {};
  bool primary = false;
};

SWorkArea WorkAreaOf(HWND window) {
  SWorkArea area;
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info)) {
    area.monitor = info.rcMonitor;
    area.work = info.rcWork;
    area.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area.work, 0);
    area.monitor = area.work;
    area.primary = true;
  }
  return area;
}

void PostSystemCommand(HWND window, WPARAM command, LPARAM point = 0) {
  PostMessageW(window, WM_SYSCOMMAND, command, point);
}

}  // namespace

CFrameSkin::CParentWndHook::CParentWndHook(CFrameSkinManager& manager, HWND window, EWindowKind kind)
    : m_manager(manager), m_window(window), m_kind(kind), m_active(GetActiveWindow() == window) {
  m_installed = SetWindowSubclass(window, &CParentWndHook::SubclassProc, kFrameHookId,
                                  reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

CFrameSkin::CParentWndHook::~CParentWndHook() {
  if (!m_installed) return;
  RemoveWindowSubclass(m_window, &CParentWndHook::SubclassProc, kFrameHookId);
  m_installed = false;
  // The window lives on with its system frame.
  RestoreSystemFrame();
}

void CFrameSkin::CParentWndHook::LetGo() {
  if (m_installed) RemoveWindowSubclass(m_window, &CParentWndHook::SubclassProc, kFrameHookId);
  m_installed = false;
}

const CFrameSkin* CFrameSkin::CParentWndHook::Skin() const { return m_manager.SkinFor(m_kind); }

LRESULT CFrameSkin::CParentWndHook::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(m_window, message, wParam, lParam);
}

void CFrameSkin::CParentWndHook::Reapply() {
  if (const CFrameSkin* skin = m_installed ? Skin() : nullptr) {
    SetThinBorder(true);
    UpdateRegion(*skin);
    SetWindowPos(m_window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(m_window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  } else {
    RestoreSystemFrame();
  }
}

void CFrameSkin::CParentWndHook::RestoreSystemFrame() {
  if (!IsWindow(m_window)) return;
  const bool changed = m_borderRemoved || m_regionSet;
  SetThinBorder(false);
  if (m_regionSet) SetWindowRgn(m_window, nullptr, TRUE);
  m_regionSet = false;
  if (!changed) return;
  SetWindowPos(m_window, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RedrawWindow(m_window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void CFrameSkin::CParentWndHook::SetThinBorder(bool skinned) {
  const LONG_PTR style = GetWindowLongPtrW(m_window, GWL_STYLE);
  if (skinned && (style & WS_BORDER)) {
    // The system caption needs this bit; without it the system draws none.
    SetWindowLongPtrW(m_window, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_BORDER));
    m_borderRemoved = true;
  } else if (!skinned && m_borderRemoved) {
    SetWindowLongPtrW(m_window, GWL_STYLE, style | WS_BORDER);
    m_borderRemoved = false;
  }
}

void CFrameSkin::CParentWndHook::UpdateRegion(const CFrameSkin& skin) {
  if (IsIconic(m_window)) return;
  const bool maximised = IsZoomed(m_window) != FALSE;
  const SSkinRect rect = WindowRectOf(m_window);
  if (maximised) {
    SetWindowRgn(m_window, nullptr, TRUE);
    m_regionSet = false;
    const SWorkArea area = WorkAreaOf(m_window);
    const RECT& w = area.work;
    if (area.primary && !(rect == SSkinRect{w.left, w.top, w.right, w.bottom})) {
      SetWindowPos(m_window, nullptr, w.left, w.top, w.right - w.left, w.bottom - w.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return;
  }
  const std::vector<SRegionStep> steps = PlanWindowRegion(skin.Model(), rect.Width(), rect.Height(), false);
  HRGN region = steps.empty() ? nullptr : BuildRegion(steps);
  // The window owns the region from here on.
  SetWindowRgn(m_window, region, TRUE);
  m_regionSet = region != nullptr;
}

bool CFrameSkin::CParentWndHook::IsActive() const { return m_active; }

void CFrameSkin::CParentWndHook::PaintFrame(const CFrameSkin& skin, bool captionRowOnly) {
  const CWindowDC dc(m_window);
  if (dc.Get()) skin.Paint(m_window, dc.Get(), m_buttons, IsActive(), captionRowOnly);
}

int CFrameSkin::CParentWndHook::ButtonAt(const CFrameSkin& skin, LPARAM screenPoint) const {
  return CaptionButtonAt(skin.Model(), WindowRectOf(m_window), GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint));
}

LRESULT CFrameSkin::CParentWndHook::HitTest(const CFrameSkin& skin, LPARAM screenPoint) const {
  SSkinWindowState state;
  state.window = WindowRectOf(m_window);
  state.sizingFrame = (GetWindowLongPtrW(m_window, GWL_STYLE) & WS_THICKFRAME) != 0;
  state.maximised = IsZoomed(m_window) != FALSE;
  state.captionButtonWidth = GetSystemMetrics(SM_CXSIZE);
  return HitCode(HitTestSkin(skin.Model(), state, GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)));
}

void CFrameSkin::CParentWndHook::OnGetMinMaxInfo(const CFrameSkin& skin, MINMAXINFO& info) const {
  const SSkinSize minimum = MinimumTrackSize(skin.Model());
  info.ptMinTrackSize = POINT{minimum.width, minimum.height};
  // Measured on the monitor of the window the program's windows belong to.
  HWND owner = GetAncestor(m_window, GA_ROOTOWNER);
  const SWorkArea area = WorkAreaOf(owner ? owner : m_window);
  const RECT& w = area.work;
  const SSkinPlacement placed = MaximisedPlacement(skin.Model(), w.right - w.left, w.bottom - w.top);
  // The position is relative to the monitor, the placement to its work area.
  info.ptMaxPosition = POINT{placed.x + w.left - area.monitor.left, placed.y + w.top - area.monitor.top};
  info.ptMaxSize = POINT{placed.width, placed.height};
}

void CFrameSkin::CParentWndHook::OnButtonDown(const CFrameSkin& skin, int button) {
  if (m_buttons.ButtonDown(button)) PaintFrame(skin, true);
  if (button != kAnchorSystem) return;
  // The menu's loop dispatches this thread's messages: a timer in it (a
  // launched job ending) may destroy the window, and the manager this hook
  // with it. Nothing of the hook is touched after the loop unless it lives.
  const std::weak_ptr<const char> alive = m_alive;
  TrackSystemMenu(skin);
  if (alive.expired()) return;
  m_buttons.Clear();
  // The chosen command may have destroyed the skin (a switch) or the window.
  if (const CFrameSkin* current = IsWindow(m_window) ? Skin() : nullptr) PaintFrame(*current, true);
}

void CFrameSkin::CParentWndHook::TrackSystemMenu(const CFrameSkin& skin) {
  // Only locals after the menu's loop: the hook (and the skin) may be gone
  // by then; a command posted to a window that has gone is simply lost.
  const HWND owner = m_window;
  HMENU menu = GetSystemMenu(owner, FALSE);
  if (!menu) return;
  const SSkinRect window = WindowRectOf(owner);
  const SSkinRect anchor = PlaceAnchor(skin.Model().anchors[kAnchorSystem].rect, window);
  const DWORD opened = GetTickCount();
  const UINT command = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                        anchor.left, anchor.bottom, 0, owner, nullptr));
  if (command) {
    PostSystemCommand(owner, command, MAKELPARAM(anchor.left, anchor.bottom));
    return;
  }
  POINT cursor = {};
  GetCursorPos(&cursor);
  if (GetTickCount() - opened < kQuickCloseMs && anchor.Contains(cursor.x, cursor.y)) {
    PostSystemCommand(owner, SC_CLOSE);
  }
}

void CFrameSkin::CParentWndHook::OnButtonUp(const CFrameSkin& skin) {
  switch (m_buttons.ButtonUp(IsZoomed(m_window) != FALSE)) {
    case ECaptionAction::kMinimise: PostSystemCommand(m_window, SC_MINIMIZE); break;
    case ECaptionAction::kMaximise: PostSystemCommand(m_window, SC_MAXIMIZE); break;
    case ECaptionAction::kRestore: PostSystemCommand(m_window, SC_RESTORE); break;
    case ECaptionAction::kClose: PostSystemCommand(m_window, SC_CLOSE); break;
    case ECaptionAction::kNone: break;
  }
  PaintFrame(skin, true);
}

bool CFrameSkin::CParentWndHook::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const CFrameSkin* skin = Skin();
  if (!skin) return false;
  switch (message) {
    case WM_GETMINMAXINFO:
      result = Default(message, wParam, lParam);
      OnGetMinMaxInfo(*skin, *reinterpret_cast<MINMAXINFO*>(lParam));
      return true;
    case WM_NCCALCSIZE: {
      // Both forms start with the window rectangle, which becomes the client's.
      RECT& rect = *reinterpret_cast<RECT*>(lParam);
      const SFrameThickness t = FrameThickness(skin->Model());
      rect.left += t.left;
      rect.top += t.top;
      rect.right -= t.right;
      rect.bottom -= t.bottom;
      result = 0;
      return true;
    }
    case WM_NCHITTEST:
      result = HitTest(*skin, lParam);
      return true;
    case WM_NCPAINT:
      PaintFrame(*skin, false);
      result = 0;
      return true;
    case WM_NCACTIVATE:
      m_active = wParam && IsWindowEnabled(m_window);
      PaintFrame(*skin, true);
      result = TRUE;
      return true;
    case WM_NCMOUSEMOVE: {
      const int button = ButtonAt(*skin, lParam);
      if (m_buttons.MouseMove(button, GetKeyState(VK_LBUTTON) < 0)) PaintFrame(*skin, true);
      // Told when the mouse leaves the frame, so no button stays lit.
      if (button) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE | TME_NONCLIENT, m_window, 0};
        TrackMouseEvent(&track);
      }
      return false;
    }
    case WM_NCMOUSELEAVE:
      if (m_buttons.MouseMove(0, GetKeyState(VK_LBUTTON) < 0)) PaintFrame(*skin, true);
      return false;
    case WM_NCLBUTTONDOWN: {
      const int button = ButtonAt(*skin, lParam);
      if (!button) return false;
      OnButtonDown(*skin, button);
      result = 0;
      return true;
    }
    case WM_NCLBUTTONUP:
      OnButtonUp(*skin);
      return false;
    case WM_NCLBUTTONDBLCLK:
      if (ButtonAt(*skin, lParam) == kAnchorSystem) PostSystemCommand(m_window, SC_CLOSE);
      return false;
    case WM_SETTEXT:
      result = Default(message, wParam, lParam);
      PaintFrame(*skin, true);
      return true;
    case WM_SIZE:
      UpdateRegion(*skin);
      return false;
    default:
      return false;
  }
}

LRESULT CALLBACK CFrameSkin::CParentWndHook::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                         UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<CParentWndHook*>(data);
  if (message == WM_NCDESTROY) {
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    self->LetGo();
    self->m_manager.OnWindowDestroyed(window);  // deletes this hook
    return result;
  }
  try {
    LRESULT result = 0;
    if (self->Handle(message, wParam, lParam, result)) return result;
  } catch (...) {
    // Nothing may leave a window procedure; the window handles the message.
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace corvane
