// skin.xml: a document read into both window kinds' definitions, then every
// piece of frame geometry worked out from what was read, so that numbers
// from the file reach the arithmetic of hit-testing, painting, placement and
// regions.
#include <climits>
#include <string>

#include "skin/CaptionButtons.h"
#include "skin/CaptionLayout.h"
#include "skin/FramePaintPlan.h"
#include "skin/MaximisedSize.h"
#include "skin/SkinHitTest.h"
#include "skin/SkinXmlReader.h"
#include "skin/WindowRegionPlan.h"
#include "tests/fuzz/FuzzInput.h"

using namespace corvane;

namespace {

void CheckDefinition(const SWindowSkin& skin) {
  for (const SSkinPart& part : skin.parts) {
    if (!part.present) continue;
    // Never an empty part, unless the number range left no room to widen it.
    FUZZ_CHECK(part.source.Width() != 0 || part.source.left == INT_MAX);
    FUZZ_CHECK(part.source.Height() != 0 || part.source.top == INT_MAX);
  }
  if (skin.captionFont) {
    FUZZ_CHECK(skin.captionFont->face.size() <= 31);
    CaptionFontHeight(*skin.captionFont, 96);
  }
  FUZZ_CHECK(skin.colour <= 0xFFFFFF && skin.inactiveColour <= 0xFFFFFF);

  const SSkinRect window{-50, 20, 750, 520};
  for (bool maximised : {false, true}) {
    const SSkinWindowState state{window, /*sizingFrame=*/true, maximised, 18};
    for (int x : {-51, -50, 0, 100, 700, 749, 750}) {
      for (int y : {19, 20, 25, 300, 519, 520}) {
        HitTestSkin(skin, state, x, y);
        CCaptionButtons buttons;
        buttons.ButtonDown(CaptionButtonAt(skin, window, x, y));
        FUZZ_CHECK(buttons.ButtonUp(maximised) != ECaptionAction::kMaximise || !maximised);
      }
    }
    const auto steps = PlanWindowRegion(skin, 800, 500, maximised);
    FUZZ_CHECK(!maximised || steps.empty());
    FUZZ_CHECK(steps.empty() || steps[0].combine == ERegionCombine::kStart);
  }
  CCaptionButtons pressed;
  pressed.ButtonDown(kAnchorClose);
  for (bool active : {false, true}) {
    const SFramePaintPlan plan = PlanFramePaint(skin, pressed, 800, 500, active, /*captionRowOnly=*/false);
    for (const SFrameBlit& blit : plan.blits) FUZZ_CHECK(skin.HasPart(blit.part));
  }
  MaximisedPlacement(skin, 1024, 740);
  const SSkinRect box = CaptionTextBox(skin, 800);
  CaptionTextOrigin(box, skin.align, 120, 14);
  FrameThickness(skin);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SSkinReadOptions options;
  // Images named "gone..." do not load: reading stops there.
  options.imageLoads = [](const SSkinImageSource& source) { return source.path.rfind(L"gone", 0) != 0; };
  const SSkinDocument document = ReadSkinXml(fuzz::AsText(data, size), options);
  if (!document.loaded) return 0;
  CheckDefinition(document.mainWnd);
  CheckDefinition(document.dialog);
  return 0;
}
