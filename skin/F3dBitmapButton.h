#pragma once
// A push button drawn from an image list (Windows only: include from
// _win.cpp files), attached to a dialog's ordinary button control.
//
// The button behaves like the system's push button: a mouse press released
// over it, space pressed and released while it has the focus, or BM_CLICK
// sends the parent WM_COMMAND with BN_CLICKED; a disabled button sends
// nothing. It shows four looks (normal, pressed, hover, disabled), tracks
// the mouse leaving it, draws a focus mark, and paints on WM_PAINT and
// WM_PRINTCLIENT. The image list is destroyed with the button unless it was
// attached as shared.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "base/UniqueHandle.h"
#include "skin/ButtonLook.h"
#include "skin/ControlToolTip.h"
#include "skin/F3dWindow.h"
#include "skin/PushButtonInput.h"

namespace corvane {

class CF3dBitmapButton : public CF3dWindow {
 public:
  CF3dBitmapButton() = default;
  ~CF3dBitmapButton() override;

  // Takes the list; shared: the caller keeps ownership and destroys it after
  // the button. A list held before is released first.
  void SetImageList(HIMAGELIST images, bool shared);
  HIMAGELIST ImageList() const { return m_images; }
  // Indices of the four looks; -1 for pressed, hover or disabled uses normal.
  void SetImages(int normal, int pressed = -1, int hover = -1, int disabled = -1);

  // The tool tip (already translated by the caller); empty removes it.
  void SetToolTipText(const std::wstring& text);
  std::wstring ToolTipText() const { return m_tip.Text(); }
  HWND ToolTipWindow() const { return m_tip.Handle(); }

  // What the button shows now.
  SButtonState CurrentState() const;

 protected:
  bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnAttached() override;
  void OnDetaching() override;

  // The image list and index that draw `image`; index -1 draws no image.
  virtual void ImageFor(EButtonImage image, HIMAGELIST& list, int& index) const;
  void Redraw();

 private:
  void PaintSurface(HDC dc, const RECT& client) override;
  void Click();
  bool OnMouse(UINT message, LPARAM position);
  bool OnKey(UINT message, WPARAM key);
  bool IsInside(LPARAM position) const;
  void TrackLeave();
  void ReleaseImages();

  HIMAGELIST m_images = nullptr;    // the list drawn from
  CImageListHandle m_ownedImages;  // the same list when it is ours to destroy
  int m_indices[4] = {-1, -1, -1, -1};  // by EButtonImage
  CPushButtonInput m_input;
  bool m_hot = false;
  bool m_trackingLeave = false;
  CControlToolTip m_tip;
};

}  // namespace corvane
