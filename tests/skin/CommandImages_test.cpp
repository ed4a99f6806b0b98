// The command image slots and the disabled look made from a normal image.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "skin/CommandImages.h"

namespace corvane {
namespace {

uint32_t Grey(uint32_t p) { return p & 0xFF; }
uint32_t Alpha(uint32_t p) { return p >> 24; }
bool IsGrey(uint32_t p) { return ((p >> 16) & 0xFF) == ((p >> 8) & 0xFF) && ((p >> 8) & 0xFF) == (p & 0xFF); }

TEST(CommandImageIndex, EachCommandHasItsOwnSlotInsideTheList) {
  const struct {
    ECommandImage image;
    int index;
  } table[] = {{ECommandImage::kProperty, 2}, {ECommandImage::kPlay, 4}, {ECommandImage::kMoveUp, 7},
               {ECommandImage::kMoveDown, 8}, {ECommandImage::kAdd, 21},  {ECommandImage::kRemove, 22}};
  std::set<int> seen;
  for (const auto& row : table) {
    const int index = CommandImageIndex(row.image);
    EXPECT_EQ(index, row.index);
    EXPECT_GE(index, 0);
    EXPECT_LT(index, kCommandImageCount);
    EXPECT_TRUE(seen.insert(index).second) << "slot " << index << " used twice";
  }
}

TEST(MakeDisabledPixels, TransparentPixelsStayUntouched) {
  std::vector<uint32_t> pixels = {0x00000000u, 0x00FF0000u, 0x0012AB34u};
  const std::vector<uint32_t> before = pixels;
  MakeDisabledPixels(pixels.data(), pixels.size());
  EXPECT_EQ(pixels, before);
}

TEST(MakeDisabledPixels, ColoursBecomeGreyAndFainter) {
  std::vector<uint32_t> pixels = {0xFF2E9E48u, 0xFFD23C3Cu, 0xFF3B7DD8u, 0x80FFFFFFu};
  const std::vector<uint32_t> before = pixels;
  MakeDisabledPixels(pixels.data(), pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(IsGrey(pixels[i])) << std::hex << pixels[i];
    EXPECT_LT(Alpha(pixels[i]), Alpha(before[i]));
    EXPECT_GT(Alpha(pixels[i]), 0u);  // still visible
  }
}

TEST(MakeDisabledPixels, KeepsDarkDarkerThanLight) {
  uint32_t pixels[] = {0xFF000000u, 0xFF808080u, 0xFFFFFFFFu};
  MakeDisabledPixels(pixels, 3);
  EXPECT_LT(Grey(pixels[0]), Grey(pixels[1]));
  EXPECT_LT(Grey(pixels[1]), Grey(pixels[2]));
  // Lifted toward the face: black no longer draws as black.
  EXPECT_GE(Grey(pixels[0]), 0x60u);
}

TEST(MakeDisabledPixels, EmptyRunIsFine) { MakeDisabledPixels(nullptr, 0); }

}  // namespace
}  // namespace corvane
