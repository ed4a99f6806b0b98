#pragma once
// The input rules of a push button, apart from any window: when it shows
// pressed and when mouse or keyboard input makes one click. Like the
// system's push button: space down then up clicks once (auto-repeated key
// downs do not add clicks); losing the focus or the mouse capture while
// pressed cancels; a mouse press clicks when released over the button.
namespace corvane {

class CPushButtonInput {
 public:
  void SpaceDown();
  // True when this completes a click.
  bool SpaceUp();

  void MouseDown(bool inside);
  void MouseMove(bool inside);
  // True when this completes a click.
  bool MouseUp(bool inside);

  // Focus or capture lost, or the button disabled: nothing pending clicks.
  void Cancel();

  // Whether the button shows pressed now.
  bool Pressed() const { return m_spaceDown || (m_mouseDown && m_mouseInside); }
  // Whether the window should hold the mouse capture.
  bool WantsCapture() const { return m_mouseDown; }

 private:
  bool m_spaceDown = false;
  bool m_mouseDown = false;
  bool m_mouseInside = false;
};

}  // namespace corvane
