#pragma once
// Links drawn over static text controls (Windows only: include from
// _win.cpp files). CHyperLinkWindow holds everything a link does: its
// label and target (CHyperLinkModel), the link colours, the underlined
// font, the hand cursor, the tool tip showing the target, mouse and
// keyboard activation (click, or space or enter while focused), and the
// private caption messages through which the language manager translates
// it. THyperLinkImpl<TDerived> hands activation to the concrete link.
//
// The label follows the control's window text both ways, so code that sets
// or reads the text of the static control sees the link's label.
#include <windows.h>

#include <string>

#include "skin/ControlToolTip.h"
#include "skin/F3dWindow.h"
#include "skin/GdiObject.h"
#include "skin/HyperLinkModel.h"
#include "skin/PushButtonInput.h"

namespace corvane {

class CHyperLinkWindow : public CF3dWindow {
 public:
  explicit CHyperLinkWindow(bool opensTarget) : m_model(opensTarget) {}
  ~CHyperLinkWindow() override { Detach(); }

  const std::wstring& Label() const { return m_model.Label(); }
  // Replaces the label (and the control's text) and redraws.
  void SetLabel(const std::wstring& label);
  const std::wstring& Target() const { return m_model.Target(); }
  // Stores a copy; an empty text clears the target. The tool tip shows it.
  void SetTarget(const std::wstring& target);
  bool Visited() const { return m_model.Visited(); }
  void SetVisited(bool visited);
  // Replaces how targets are opened (the shell by default).
  void SetOpener(CHyperLinkModel::TOpener opener) { m_opener = std::move(opener); }

  // The colour the label is drawn in now (0x00BBGGRR).
  COLORREF CurrentTextColour() const;

  // What a click does: runs the model and acts on its answer.
  void Activate();

 protected:
  bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnAttached() override;
  void OnDetaching() override;

 private:
  void PaintSurface(HDC dc, const RECT& client) override;
  void MakeUnderlineFont();
  void Redraw();
  bool OnKey(UINT message, WPARAM key, LPARAM flags);
  bool OnMouse(UINT message, LPARAM position);
  bool IsInside(LPARAM position) const;

  CHyperLinkModel m_model;
  CHyperLinkModel::TOpener m_opener;
  CPushButtonInput m_input;
  CControlToolTip m_tip;
  TGdiObject<HFONT> m_underlineFont;
};

// The base of the concrete links: TDerived::kOpensTarget says whether a
// click opens the target or only tells the parent.
template <class TDerived>
class THyperLinkImpl : public CHyperLinkWindow {
 public:
  THyperLinkImpl() : CHyperLinkWindow(TDerived::kOpensTarget) {}
};

}  // namespace corvane
