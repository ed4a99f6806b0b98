#include "skin/FrameSkin.h"

#include <string>

#include "skin/CaptionLayout.h"
#include "skin/FramePaintPlan.h"
#include "skin/SkinHitTest.h"

namespace corvane {
namespace {

bool AnyPart(const SWindowSkin& model) {
  for (const SSkinPart& part : model.parts) {
    if (part.present) return true;
  }
  return false;
}

TGdiObject<HFONT> MakeCaptionFont(const SWindowSkin& model) {
  if (!model.captionPresent) return TGdiObject<HFONT>();
  if (!model.captionFont) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return TGdiObject<HFONT>();
    return TGdiObject<HFONT>(CreateFontIndirectW(&metrics.lfCaptionFont));
  }
  const SCaptionFont& font = *model.captionFont;
  const CScreenDC screen;
  const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
  // A negative height asks for the character height, not the cell's.
  return TGdiObject<HFONT>(CreateFontW(-CaptionFontHeight(font, dpi), 0, 0, 0, font.weight, FALSE, FALSE, FALSE,
                                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                       DEFAULT_PITCH | FF_DONTCARE, font.face.c_str()));
}

void DrawBlit(HDC dc, HDC source, const SFrameBlit& blit) {
  const SSkinRect& d = blit.dest;
  const SSkinRect& s = blit.source;
  if (d.Width() == s.Width() && d.Height() == s.Height()) {
    BitBlt(dc, d.left, d.top, d.Width(), d.Height(), source, s.left, s.top, SRCCOPY);
  } else {
    StretchBlt(dc, d.left, d.top, d.Width(), d.Height(), source, s.left, s.top, s.Width(), s.Height(), SRCCOPY);
  }
}

HICON WindowIcon(HWND window) {
  for (WPARAM kind : {static_cast<WPARAM>(ICON_SMALL), static_cast<WPARAM>(ICON_BIG)}) {
    if (auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, kind, 0))) return icon;
  }
  if (auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM))) return icon;
  return reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON));
}

}  // namespace

CFrameSkin::CFrameSkin(const SWindowSkin& model, HBITMAP bitmap)
    : m_model(model), m_bitmap(bitmap), m_font(MakeCaptionFont(model)) {}

bool CFrameSkin::Decorates() const { return m_bitmap && AnyPart(m_model); }

void CFrameSkin::Paint(HWND window, HDC windowDC, const CCaptionButtons& buttons, bool active,
                       bool captionRowOnly) const {
  RECT r = {};
  GetWindowRect(window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return;
  PaintTopRow(window, windowDC, buttons, active, width);
  if (captionRowOnly) return;
  // Sides and bottom straight to the window, below the row just copied and
  // around the client area.
  const SFrameThickness t = FrameThickness(m_model);
  const int saved = SaveDC(windowDC);
  ExcludeClipRect(windowDC, 0, 0, width, t.top);
  ExcludeClipRect(windowDC, t.left, t.top, width - t.right, height - t.bottom);
  DrawParts(windowDC, buttons, width, height, active, /*captionRowOnly=*/false);
  RestoreDC(windowDC, saved);
}

void CFrameSkin::PaintTopRow(HWND window, HDC windowDC, const CCaptionButtons& buttons, bool active,
                             int width) const {
  const int top = FrameThickness(m_model).top;
  if (top <= 0) return;
  RECT r = {};
  GetWindowRect(window, &r);
  const int height = r.bottom - r.top;
  CMemoryDC row(windowDC, width, top);
  HDC dc = row.IsValid() ? row.Get() : windowDC;
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, 0, 0, width, top);
  DrawParts(dc, buttons, width, height, active, /*captionRowOnly=*/true);
  DrawIcon(window, dc, width, height);
  DrawCaption(window, dc, width, active);
  RestoreDC(dc, saved);
  if (dc != windowDC) BitBlt(windowDC, 0, 0, width, top, dc, 0, 0, SRCCOPY);
}

void CFrameSkin::DrawParts(HDC dc, const CCaptionButtons& buttons, int width, int height, bool active,
                           bool captionRowOnly) const {
  const SFramePaintPlan plan = PlanFramePaint(m_model, buttons, width, height, active, captionRowOnly);
  CBitmapDC source(dc, m_bitmap);
  if (!source.IsValid()) return;
  SetStretchBltMode(dc, COLORONCOLOR);
  for (size_t i = 0; i < plan.blits.size(); ++i) {
    if (i == plan.buttons.size()) {
      for (const SSkinRect& button : plan.buttons) {
        ExcludeClipRect(dc, button.left, button.top, button.right, button.bottom);
      }
    }
    DrawBlit(dc, source.Get(), plan.blits[i]);
  }
}

void CFrameSkin::DrawIcon(HWND window, HDC dc, int width, int height) const {
  if (!m_model.HasAnchor(kAnchorIcon)) return;
  HICON icon = WindowIcon(window);
  if (!icon) return;
  const SSkinRect at = PlaceAnchor(m_model.anchors[kAnchorIcon].rect, SSkinRect{0, 0, width, height});
  DrawIconEx(dc, at.left, at.top, icon, 16, 16, 0, nullptr, DI_NORMAL);
}

void CFrameSkin::DrawCaption(HWND window, HDC dc, int width, bool active) const {
  if (!m_model.captionPresent) return;
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  if (text.empty()) return;
  text = CaptionText(text, m_model.caps);
  const CSelectObject font(dc, m_font.Get());
  SIZE extent = {};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  const SSkinRect box = CaptionTextBox(m_model, width);
  const SSkinPoint at = CaptionTextOrigin(box, m_model.align, extent.cx, extent.cy);
  const RECT clip = {box.left, box.top, box.right, box.bottom};
  SetBkMode(dc, TRANSPARENT);
  const auto draw = [&](TSkinColour colour, int dx, int dy) {
    SetTextColor(dc, colour);
    ExtTextOutW(dc, at.x + dx, at.y + dy, ETO_CLIPPED, &clip, text.c_str(), static_cast<UINT>(text.size()), nullptr);
  };
  if (m_model.shadowColour) {
    draw(*m_model.shadowColour, 1, 1);
  } else if (m_model.outlineColour) {
    for (const SSkinPoint& offset : kCaptionOutlineOffsets) draw(*m_model.outlineColour, offset.x, offset.y);
  }
  draw(active ? m_model.colour : m_model.inactiveColour, 0, 0);
}

}  // namespace corvane
