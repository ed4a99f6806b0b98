// The shipped skin as the build makes it: the drawing script run into a
// temporary folder, its bitmap and skin.xml read back.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "base/TextConvert.h"
#include "skin/SkinXmlReader.h"

namespace corvane {
namespace {

std::string ShippedFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

uint32_t BitmapField(const std::string& bytes, size_t offset, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[offset + i]);
  return value;
}

TEST(ShippedSkin, DrawnBitmapHoldsEveryPartBothWindowKindsUse) {
  const std::filesystem::path source = std::filesystem::path(CORVANE_TEST_DATA) / ".." / ".." / "resources" / "skins";
  const std::filesystem::path out =
      std::filesystem::temp_directory_path() / ("corvane-shipped-skin-" + std::to_string(getpid()));
  const std::string draw =
      "bash '" + (source / "draw-skin.sh").string() + "' '" + (source / "Slate").string() + "' '" + out.string() + "'";
  ASSERT_EQ(std::system(draw.c_str()), 0) << draw;

  // A plain bitmap: 40-byte header, 24 bits per pixel, uncompressed.
  const std::string bmp = ShippedFileBytes(out / "frame.bmp");
  ASSERT_GE(bmp.size(), 54u);
  ASSERT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(BitmapField(bmp, 14, 4), 40u);
  EXPECT_EQ(BitmapField(bmp, 28, 2), 24u);
  EXPECT_EQ(BitmapField(bmp, 30, 4), 0u);
  const SSkinRect bitmap{0, 0, static_cast<int>(BitmapField(bmp, 18, 4)), static_cast<int>(BitmapField(bmp, 22, 4))};

  SSkinReadOptions options;
  options.imageLoads = [&](const SSkinImageSource& image) {
    return std::filesystem::exists(out / WideToUtf8(image.path));
  };
  const SSkinDocument document = ReadSkinXml(ShippedFileBytes(out / "skin.xml"), options);
  ASSERT_TRUE(document.loaded);
  EXPECT_TRUE(document.missingImages.empty());
  for (EWindowKind kind : {EWindowKind::kMainWnd, EWindowKind::kDialog}) {
    const SWindowSkin& skin = document.ForKind(kind);
    EXPECT_TRUE(skin.bitmap);
    for (int part = 0; part < kFramePartCount; ++part) {
      const bool optional = part == kPartLeftTop || part == kPartLeftBottom || part == kPartRightTop ||
                            part == kPartRightBottom;
      EXPECT_TRUE(optional || skin.HasPart(part)) << "part " << part;
      const SSkinRect& r = skin.parts[part].source;
      if (skin.HasPart(part)) {
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= bitmap.right && r.bottom <= bitmap.bottom) << part;
      }
    }
    // Each button's parts fill its anchor, inside the top row.
    for (int anchor = kAnchorSystem; anchor <= kAnchorClose; ++anchor) {
      ASSERT_TRUE(skin.HasAnchor(anchor)) << anchor;
      const SSkinRect& place = skin.anchors[anchor].rect;
      const SSkinRect& part = skin.parts[kPartSystem + 3 * (anchor - kAnchorSystem)].source;
      EXPECT_EQ(place.Width(), part.Width()) << anchor;
      EXPECT_EQ(place.Height(), part.Height()) << anchor;
      EXPECT_LE(place.bottom, FrameThickness(skin).top) << anchor;
    }
    EXPECT_TRUE(skin.HasAnchor(kAnchorIcon));
    EXPECT_TRUE(skin.captionPresent && skin.captionFont);
    ASSERT_FALSE(skin.region.empty());
    EXPECT_EQ(skin.region[0].type, "roundRect");
  }
  std::filesystem::remove_all(out);
}

}  // namespace
}  // namespace corvane
