#include "skin/F3dBitmapButton.h"

namespace corvane {

CF3dBitmapButton::~CF3dBitmapButton() {
  Detach();
  ReleaseImages();
}

void CF3dBitmapButton::ReleaseImages() {
  m_ownedImages.Reset();
  m_images = nullptr;
}

void CF3dBitmapButton::SetImageList(HIMAGELIST images, bool shared) {
  if (images != m_images) {
    ReleaseImages();
  } else {
    m_ownedImages.Detach();  // the same list again: only who owns it changes
  }
  m_images = images;
  if (!shared) m_ownedImages.Reset(images);
  Redraw();
}

void CF3dBitmapButton::SetImages(int normal, int pressed, int hover, int disabled) {
  m_indices[static_cast<int>(EButtonImage::kNormal)] = normal;
  m_indices[static_cast<int>(EButtonImage::kPressed)] = pressed;
  m_indices[static_cast<int>(EButtonImage::kHover)] = hover;
  m_indices[static_cast<int>(EButtonImage::kDisabled)] = disabled;
  Redraw();
}

void CF3dBitmapButton::SetToolTipText(const std::wstring& text) {
  if (Handle()) m_tip.SetText(Handle(), text);
}

void CF3dBitmapButton::ImageFor(EButtonImage image, HIMAGELIST& list, int& index) const {
  list = m_images;
  index = m_indices[static_cast<int>(image)];
  if (index < 0) index = m_indices[static_cast<int>(EButtonImage::kNormal)];
}

void CF3dBitmapButton::OnAttached() { Redraw(); }

void CF3dBitmapButton::OnDetaching() {
  m_tip.Destroy();
  m_input.Cancel();
  m_hot = false;
  m_trackingLeave = false;
  // When the button goes, its own image list goes with it.
  ReleaseImages();
}

void CF3dBitmapButton::Redraw() {
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

SButtonState CF3dBitmapButton::CurrentState() const {
  SButtonState state;
  HWND window = Handle();
  if (!window) return state;
  state.enabled = IsWindowEnabled(window) != FALSE;
  state.pressed = m_input.Pressed();
  state.hot = m_hot;
  state.focused = GetFocus() == window;
  state.showFocus = !(SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
  return state;
}

void CF3dBitmapButton::PaintSurface(HDC dc, const RECT& client) {
  const int width = client.right, height = client.bottom;
  const SButtonLook look = ChooseButtonLook(CurrentState());
  RECT edge = client;
  if (look.frame == EButtonFrame::kRaised) DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
  if (look.frame == EButtonFrame::kSunken) DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);

  HIMAGELIST list = nullptr;
  int index = -1;
  ImageFor(look.image, list, index);
  int imageWidth = 0, imageHeight = 0;
  if (list && index >= 0 && index < ImageList_GetImageCount(list) && ImageList_GetIconSize(list, &imageWidth, &imageHeight)) {
    const int x = (width - imageWidth) / 2 + look.imageOffset;
    const int y = (height - imageHeight) / 2 + look.imageOffset;
    ImageList_Draw(list, index, dc, x, y, ILD_TRANSPARENT);
  }
  if (look.focusMark) {
    RECT mark = client;
    InflateRect(&mark, -3, -3);
    DrawFocusRect(dc, &mark);
  }
}

void CF3dBitmapButton::Click() {
  HWND window = Handle();
  if (!window || !IsWindowEnabled(window)) return;
  SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
               reinterpret_cast<LPARAM>(window));
}

bool CF3dBitmapButton::IsInside(LPARAM position) const {
  RECT client = {};
  GetClientRect(Handle(), &client);
  const POINT point = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  return PtInRect(&client, point) != FALSE;
}

void CF3dBitmapButton::TrackLeave() {
  if (m_trackingLeave) return;
  TRACKMOUSEEVENT track = {};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = Handle();
  m_trackingLeave = TrackMouseEvent(&track) != FALSE;
}

bool CF3dBitmapButton::OnMouse(UINT message, LPARAM position) {
  HWND window = Handle();
  const bool inside = IsInside(position);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (GetFocus() != window) SetFocus(window);
      m_input.MouseDown(inside);
      if (m_input.WantsCapture()) SetCapture(window);
      break;
    case WM_MOUSEMOVE: {
      const bool wasPressed = m_input.Pressed(), wasHot = m_hot;
      m_input.MouseMove(inside);
      m_hot = inside;
      if (inside) TrackLeave();
      if (wasPressed == m_input.Pressed() && wasHot == m_hot) return true;
      break;
    }
    case WM_LBUTTONUP: {
      const bool click = m_input.MouseUp(inside);
      if (GetCapture() == window) ReleaseCapture();
      Redraw();
      if (click) Click();
      return true;
    }
    default:
      return false;
  }
  Redraw();
  return true;
}

bool CF3dBitmapButton::OnKey(UINT message, WPARAM key) {
  if (key != VK_SPACE) return false;
  if (message == WM_KEYDOWN) {
    m_input.SpaceDown();
    Redraw();
  } else if (m_input.SpaceUp()) {
    Redraw();
    Click();
  }
  return true;
}

bool CF3dBitmapButton::ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (HandleSelfPaint(message, wParam, WM_CTLCOLORBTN, result)) return true;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      result = 0;
      return OnMouse(message, lParam);
    case WM_MOUSELEAVE:
      m_trackingLeave = false;
      m_hot = false;
      Redraw();
      result = 0;
      return true;
    case WM_KEYDOWN:
    case WM_KEYUP:
      result = 0;
      return OnKey(message, wParam);
    case BM_CLICK:
      Click();
      result = 0;
      return true;
    case BM_GETSTATE:
      result = (m_input.Pressed() ? BST_PUSHED : 0) | (m_hot ? BST_HOT : 0) | (GetFocus() == Handle() ? BST_FOCUS : 0);
      return true;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != Handle()) m_input.Cancel();
      Redraw();
      result = 0;
      return true;
    case WM_KILLFOCUS:
      m_input.Cancel();
      [[fallthrough]];
    case WM_SETFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case BM_SETSTYLE:
    case BM_SETSTATE:
    case WM_UPDATEUISTATE:
    case WM_THEMECHANGED:
      // The system button may paint itself here: the picture is redrawn after.
      if (message == WM_ENABLE && !wParam) {
        m_input.Cancel();
        m_hot = false;
      }
      result = DefaultProc(message, wParam, lParam);
      Redraw();
      return true;
    default:
      return false;
  }
}

}  // namespace corvane
