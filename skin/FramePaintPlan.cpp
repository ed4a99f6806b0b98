#include "skin/FramePaintPlan.h"

#include <algorithm>

#include "skin/SkinHitTest.h"

namespace corvane {
namespace {

class CFramePlanner {
 public:
  CFramePlanner(const SWindowSkin& skin, int width, int height, bool active)
      : m_skin(skin), m_width(width), m_height(height), m_active(active) {}

  // The part as drawn in this state (inactive top-row variants).
  int Drawn(int part) const { return TopRowPart(m_skin, part, m_active); }
  int Width(int part) const { return m_skin.HasPart(Drawn(part)) ? Source(part).Width() : 0; }
  int Height(int part) const { return m_skin.HasPart(Drawn(part)) ? Source(part).Height() : 0; }

  // The part copied with its top-left corner at (x, y), at its own size.
  void Place(int part, int x, int y) {
    if (!m_skin.HasPart(Drawn(part))) return;
    const SSkinRect& source = Source(part);
    m_plan.blits.push_back(
        SFrameBlit{Drawn(part), {x, y, AddClamped(x, source.Width()), AddClamped(y, source.Height())}, source});
  }

  // The part along a gap: stretched to it, or tiled with the last copy cut.
  void Fill(int part, const SSkinRect& gap, bool horizontal) {
    if (!m_skin.HasPart(Drawn(part)) || gap.Width() <= 0 || gap.Height() <= 0) return;
    const SSkinRect& source = Source(part);
    if (m_skin.parts[Drawn(part)].stretch) {
      m_plan.blits.push_back(SFrameBlit{Drawn(part), gap, source});
      return;
    }
    const int step = horizontal ? source.Width() : source.Height();
    if (step <= 0) return;
    const int end = horizontal ? gap.right : gap.bottom;
    for (int at = horizontal ? gap.left : gap.top; at < end; at = AddClamped(at, step)) {
      const int length = std::min(step, SubClamped(end, at));
      SFrameBlit blit{Drawn(part), gap, source};
      if (horizontal) {
        blit.dest.left = at;
        blit.dest.right = AddClamped(at, length);
        blit.source.right = AddClamped(source.left, length);
      } else {
        blit.dest.top = at;
        blit.dest.bottom = AddClamped(at, length);
        blit.source.bottom = AddClamped(source.top, length);
      }
      m_plan.blits.push_back(blit);
    }
  }

  void Buttons(const CCaptionButtons& buttons) {
    for (int anchor = kAnchorSystem; anchor <= kAnchorClose; ++anchor) {
      const int part = CaptionButtonPart(anchor, buttons);
      if (!m_skin.HasAnchor(anchor) || !m_skin.HasPart(part)) continue;
      const SSkinRect at = PlaceAnchor(m_skin.anchors[anchor].rect, SSkinRect{0, 0, m_width, m_height});
      const SSkinRect& source = m_skin.parts[part].source;
      const SSkinRect dest{at.left, at.top, AddClamped(at.left, source.Width()), AddClamped(at.top, source.Height())};
      m_plan.blits.push_back(SFrameBlit{part, dest, source});
      m_plan.buttons.push_back(dest);
    }
  }

  void TopRow() {
    Place(kPartTopLeft, 0, 0);
    Place(kPartTopRight, SubClamped(m_width, Width(kPartTopRight)), 0);
    Fill(kPartTop, {Width(kPartTopLeft), 0, SubClamped(m_width, Width(kPartTopRight)), Height(kPartTop)}, true);
  }

  void SidesAndBottom() {
    const int bottomLeftTop = SubClamped(m_height, Height(kPartBottomLeft));
    const int bottomRightTop = SubClamped(m_height, Height(kPartBottomRight));
    Place(kPartBottomLeft, 0, bottomLeftTop);
    Place(kPartBottomRight, SubClamped(m_width, Width(kPartBottomRight)), bottomRightTop);
    Place(kPartLeftTop, 0, Height(kPartTopLeft));
    Place(kPartLeftBottom, 0, SubClamped(bottomLeftTop, Height(kPartLeftBottom)));
    Place(kPartRightTop, SubClamped(m_width, Width(kPartRightTop)), Height(kPartTopRight));
    Place(kPartRightBottom, SubClamped(m_width, Width(kPartRightBottom)),
          SubClamped(bottomRightTop, Height(kPartRightBottom)));

    Fill(kPartLeft,
         {0, AddClamped(Height(kPartTopLeft), Height(kPartLeftTop)), Width(kPartLeft),
          SubClamped(bottomLeftTop, Height(kPartLeftBottom))},
         false);
    Fill(kPartRight,
         {SubClamped(m_width, Width(kPartRight)), AddClamped(Height(kPartTopRight), Height(kPartRightTop)), m_width,
          SubClamped(bottomRightTop, Height(kPartRightBottom))},
         false);
    Fill(kPartBottom,
         {Width(kPartBottomLeft), SubClamped(m_height, Height(kPartBottom)),
          SubClamped(m_width, Width(kPartBottomRight)), m_height},
         true);
  }

  SFramePaintPlan Take() { return std::move(m_plan); }

 private:
  const SSkinRect& Source(int part) const { return m_skin.parts[Drawn(part)].source; }

  const SWindowSkin& m_skin;
  const int m_width, m_height;
  const bool m_active;
  SFramePaintPlan m_plan;
};

}  // namespace

SFramePaintPlan PlanFramePaint(const SWindowSkin& skin, const CCaptionButtons& buttons, int width, int height,
                               bool active, bool captionRowOnly) {
  CFramePlanner planner(skin, width, height, active);
  planner.Buttons(buttons);
  planner.TopRow();
  if (!captionRowOnly) planner.SidesAndBottom();
  return planner.Take();
}

}  // namespace corvane
