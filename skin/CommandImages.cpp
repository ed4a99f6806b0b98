#include "skin/CommandImages.h"

namespace corvane {

int CommandImageIndex(ECommandImage image) {
  switch (image) {
    case ECommandImage::kProperty: return 2;
    case ECommandImage::kPlay: return 4;
    case ECommandImage::kMoveUp: return 7;
    case ECommandImage::kMoveDown: return 8;
    case ECommandImage::kAdd: return 21;
    case ECommandImage::kRemove: return 22;
  }
  return -1;
}

void MakeDisabledPixels(uint32_t* pixels, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const uint32_t p = pixels[i];
    const uint32_t alpha = p >> 24;
    if (alpha == 0) continue;
    const uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    // Rec. 601 lightness, then halfway to a light grey so that dark shapes
    // still read as shapes but clearly as unavailable.
    const uint32_t luma = (r * 299 + g * 587 + b * 114) / 1000;
    const uint32_t grey = (luma + 192) / 2;
    const uint32_t faded = (alpha * 2 + 1) / 3;
    pixels[i] = (faded << 24) | (grey << 16) | (grey << 8) | grey;
  }
}

}  // namespace corvane
