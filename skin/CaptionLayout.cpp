#include "skin/CaptionLayout.h"

#include <algorithm>
#include <cwctype>

namespace corvane {

const SSkinPoint kCaptionOutlineOffsets[8] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};

SSkinRect CaptionTextBox(const SWindowSkin& skin, int windowWidth) {
  const SSkinQuad& c = skin.caption;
  return SSkinRect{c.a < 0 ? AddClamped(c.a, windowWidth) : c.a, c.b, c.c < 0 ? AddClamped(c.c, windowWidth) : c.c,
                   AddClamped(c.b, c.d)};
}

SSkinPoint CaptionTextOrigin(const SSkinRect& box, ECaptionAlign align, int textWidth, int textHeight) {
  // In 64 bits: the box comes from the skin's numbers unchecked.
  const long long first = box.left + 1LL;
  long long x = first;
  if (align == ECaptionAlign::kCenter) {
    x = std::max(first, box.left + (static_cast<long long>(box.right) - box.left) / 2 - textWidth / 2);
  } else if (align == ECaptionAlign::kRight) {
    x = std::max(first, static_cast<long long>(box.right) - textWidth - 1);
  }
  const long long y = box.top + (static_cast<long long>(box.bottom) - box.top) / 2 - textHeight / 2;
  return SSkinPoint{ClampToInt(x), ClampToInt(y)};
}

std::wstring CaptionText(std::wstring_view windowText, bool caps) {
  std::wstring text(windowText);
  if (caps) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c))); });
  }
  return text;
}

int CaptionFontHeight(const SCaptionFont& font, int dpi) {
  if (!font.sizeInTenthsOfPoint) return font.size;
  return static_cast<int>(static_cast<long long>(dpi) * font.size / 720);
}

}  // namespace corvane
