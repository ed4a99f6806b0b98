#pragma once
// One window kind's skin as skin.xml defines it: the parts cut from the skin
// bitmap, the anchors of the caption buttons and the icon, the caption text
// rules, the region shapes and the sizes used when maximised or resized.
// Plain data: the Windows half loads the bitmap, creates the font and draws.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/SkinValues.h"

namespace corvane {

// Index order is the order of the part table of skin.xml.
enum EFramePart {
  kPartTopLeft, kPartTop, kPartTopRight,
  kPartTopLeftIA, kPartTopIA, kPartTopRightIA,
  kPartLeftTop, kPartLeft, kPartLeftBottom,
  kPartRightTop, kPartRight, kPartRightBottom,
  kPartBottomLeft, kPartBottom, kPartBottomRight,
  kPartSystem, kPartSystemHover, kPartSystemDown,
  kPartMinimise, kPartMinimiseHover, kPartMinimiseDown,
  kPartMaximise, kPartMaximiseHover, kPartMaximiseDown,
  kPartClose, kPartCloseHover, kPartCloseDown,
  kFramePartCount
};

// Anchor indexes; 1 to 4 double as the caption button numbers.
enum ESkinAnchor { kAnchorIcon, kAnchorSystem, kAnchorMinimise, kAnchorMaximise, kAnchorClose, kSkinAnchorCount };

enum class ECaptionAlign { kLeft = 0, kCenter = 1, kRight = 2 };

// The name attribute's value for a part or anchor (compared without regard
// to case); -1 for an unknown name.
int FramePartFromName(std::string_view name);
int SkinAnchorFromName(std::string_view name);

struct SSkinPart {
  bool present = false;
  bool stretch = false;  // tile otherwise
  SSkinRect source;      // in the skin bitmap
};

struct SSkinAnchor {
  bool present = false;
  SSkinRect rect;  // relative to the window; see PlaceAnchor
};

// Where a bitmap comes from: a file relative to the skin folder or, when the
// path is empty, a bitmap resource of the program.
struct SSkinImageSource {
  std::wstring path;
  int resource = 0;
};

struct SCaptionFont {
  std::wstring face;  // at most 31 characters
  int size = 13;
  bool sizeInTenthsOfPoint = false;  // "pt" in the size: tenths of a point, else pixels
  int weight = 700;
};

// One shape of the window region as written; the numbers get their meaning
// from the window size when the region is built (WindowRegionPlan.h).
struct SRegionShape {
  std::optional<SSkinQuad> rect;  // left, top, right, bottom; none = whole window
  std::string type;               // "rectangle", "ellipse", "roundRect"
  SSkinQuad size;                 // a, b: corner ellipse of a roundRect
  std::string combine;            // "and", "copy", "diff", "or", "xor"
};

struct SWindowSkin {
  std::array<SSkinPart, kFramePartCount> parts;
  std::array<SSkinAnchor, kSkinAnchorCount> anchors;
  std::optional<SSkinImageSource> bitmap;

  bool captionPresent = false;
  SSkinQuad caption;  // x, y, right, height (see CaptionLayout.h)
  // No font: the system caption font is used when a caption is present.
  std::optional<SCaptionFont> captionFont;
  TSkinColour colour = 0xFFFFFF;
  TSkinColour inactiveColour = 0x808080;
  std::optional<TSkinColour> shadowColour;
  std::optional<TSkinColour> outlineColour;
  bool caps = false;
  ECaptionAlign align = ECaptionAlign::kLeft;

  bool regionPresent = false;
  std::vector<SRegionShape> region;

  SSkinQuad maximiseCrop{-1, 0, -1, -1};  // x, y, w, h
  SSkinQuad resizeBorder;                 // left, top, right, bottom widths
  int minimumWidth = 0;
  int minimumHeight = 0;

  bool HasPart(int part) const { return parts[part].present; }
  bool HasAnchor(int anchor) const { return anchors[anchor].present; }
};

// Thicknesses of the drawn frame, derived from the parts present.
struct SFrameThickness {
  int left = 0, top = 0, right = 0, bottom = 0;
};
SFrameThickness FrameThickness(const SWindowSkin& skin);

// The part drawn for a top-row part (TopLeft, Top, TopRight) in the given
// state: its inactive variant when the window is inactive and the variant is
// present. Other parts are returned as they are.
int TopRowPart(const SWindowSkin& skin, int part, bool active);

}  // namespace corvane
