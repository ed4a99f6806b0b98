#include "skin/CommandImageList.h"

#include <cstdint>
#include <vector>

#include "skin/GdiObject.h"

namespace corvane {
namespace {

constexpr int kSize = kCommandImageSize;

// A top-down 32-bit DIB section and its pixels (0xAARRGGBB).
struct SPixelBitmap {
  TGdiObject<HBITMAP> bitmap;
  uint32_t* pixels = nullptr;
};

bool MakePixelBitmap(int width, int height, SPixelBitmap& out) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  out.bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, /*section=*/nullptr, 0));
  out.pixels = static_cast<uint32_t*>(bits);
  return out.bitmap && out.pixels;
}

// A monochrome mask: bit set (transparent) where the pixel's alpha is 0.
HBITMAP MakeMask(const uint32_t* pixels, int width, int height) {
  const int stride = ((width + 15) / 16) * 2;  // monochrome rows are WORD-aligned
  std::vector<uint8_t> bits(static_cast<size_t>(stride) * height, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if ((pixels[y * width + x] >> 24) == 0) bits[y * stride + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    }
  }
  return CreateBitmap(width, height, 1, 1, bits.data());
}

// Draws the icon on black and on white; the difference gives each pixel's
// opacity whatever kind of icon it is (alpha channel or AND mask).
bool RenderIcon(HICON icon, std::vector<uint32_t>& straight) {
  SPixelBitmap onBlack, onWhite;
  if (!MakePixelBitmap(kSize, kSize, onBlack) || !MakePixelBitmap(kSize, kSize, onWhite)) return false;
  std::fill(onWhite.pixels, onWhite.pixels + kSize * kSize, 0xFFFFFFFFu);
  const CCompatibleDC dc(/*target=*/nullptr);
  if (!dc) return false;
  bool drawn = true;
  for (SPixelBitmap* target : {&onBlack, &onWhite}) {
    CSelectObject select(dc.Get(), target->bitmap.Get());
    drawn = drawn && DrawIconEx(dc.Get(), 0, 0, icon, kSize, kSize, 0, /*flicker=*/nullptr, DI_NORMAL);
  }
  GdiFlush();
  if (!drawn) return false;
  straight.assign(static_cast<size_t>(kSize) * kSize, 0);
  for (size_t i = 0; i < straight.size(); ++i) {
    const uint32_t black = onBlack.pixels[i], white = onWhite.pixels[i];
    const int alpha = 255 - (static_cast<int>((white >> 8) & 0xFF) - static_cast<int>((black >> 8) & 0xFF));
    if (alpha <= 0) continue;
    const auto channel = [&](int shift) {
      const int value = static_cast<int>((black >> shift) & 0xFF) * 255 / alpha;
      return static_cast<uint32_t>(value > 255 ? 255 : value);
    };
    straight[i] = (static_cast<uint32_t>(alpha > 255 ? 255 : alpha) << 24) | (channel(16) << 16) | (channel(8) << 8) |
                  channel(0);
  }
  return true;
}

bool ReplaceImage(HIMAGELIST list, int index, const std::vector<uint32_t>& pixels) {
  SPixelBitmap colour;
  if (!MakePixelBitmap(kSize, kSize, colour)) return false;
  std::copy(pixels.begin(), pixels.end(), colour.pixels);
  TGdiObject<HBITMAP> mask(MakeMask(pixels.data(), kSize, kSize));
  return ImageList_Replace(list, index, colour.bitmap.Get(), mask.Get()) != FALSE;
}

CImageListHandle MakeTransparentList() {
  CImageListHandle list(ImageList_Create(kSize, kSize, ILC_COLOR32 | ILC_MASK, kCommandImageCount, 0));
  if (!list) return list;
  SPixelBitmap strip;
  const int width = kSize * kCommandImageCount;
  if (MakePixelBitmap(width, kSize, strip)) {
    TGdiObject<HBITMAP> mask(MakeMask(strip.pixels, width, kSize));
    if (ImageList_Add(list.Get(), strip.bitmap.Get(), mask.Get()) == 0) return list;
  }
  return CImageListHandle();
}

}  // namespace

bool CCommandImageList::Create() {
  Destroy();
  m_normal = MakeTransparentList();
  m_disabled = MakeTransparentList();
  if (m_normal && m_disabled) return true;
  Destroy();
  return false;
}

void CCommandImageList::Destroy() {
  m_normal.Reset();
  m_disabled.Reset();
}

bool CCommandImageList::SetImage(int index, HICON icon) {
  if (!m_normal || !icon || index < 0 || index >= kCommandImageCount) return false;
  std::vector<uint32_t> pixels;
  if (!RenderIcon(icon, pixels) || !ReplaceImage(m_normal.Get(), index, pixels)) return false;
  MakeDisabledPixels(pixels.data(), pixels.size());
  return ReplaceImage(m_disabled.Get(), index, pixels);
}

}  // namespace corvane
