// skin.xml read into the window-skin model: what each element sets, what
// malformed values leave alone, and the documents that give no skin.
#include <gtest/gtest.h>

#include <string>

#include "skin/CaptionLayout.h"
#include "skin/SkinXmlReader.h"

namespace corvane {
namespace {

// A document with one windowSkin for the given targets.
std::string SkinDocumentFor(const std::string& targets, const std::string& body) {
  return "<?xml version=\"1.0\"?><root><skin><windowSkins><windowSkin>" + targets + body +
         "</windowSkin></windowSkins></skin></root>";
}

SWindowSkin ReadDialogSkin(const std::string& body) {
  const SSkinDocument doc = ReadSkinXml(SkinDocumentFor("<target window=\"CDialog\"/>", body), {});
  EXPECT_TRUE(doc.loaded);
  return doc.dialog;
}

TEST(SkinXmlReader, PartsTakeRectOrPointNameAndMode) {
  const SWindowSkin skin = ReadDialogSkin(
      "<parts>"
      "<part name=\"topLEFT\" rect=\"1,2,10,0\" mode=\"Stretch\"/>"  // zero height: one pixel
      "<part name=\"Left\" rect=\"3,4,0,20\"/>"                    // zero width: one pixel
      "<part name=\"Close\" point=\"5,6\" mode=\"tile\"/>"
      "<part name=\"Bogus\" rect=\"1,1,1,1\"/>"
      "<part name=\"Top\"/>"  // no rectangle: ignored
      "</parts>");
  EXPECT_TRUE(skin.HasPart(kPartTopLeft));
  EXPECT_TRUE(skin.parts[kPartTopLeft].stretch);
  EXPECT_EQ(skin.parts[kPartTopLeft].source, (SSkinRect{1, 2, 11, 3}));
  EXPECT_EQ(skin.parts[kPartLeft].source, (SSkinRect{3, 4, 4, 24}));
  EXPECT_FALSE(skin.parts[kPartClose].stretch);
  EXPECT_EQ(skin.parts[kPartClose].source, (SSkinRect{5, 6, 0, 0}));
  EXPECT_FALSE(skin.HasPart(kPartTop));
  int present = 0;
  for (const SSkinPart& part : skin.parts) present += part.present;
  EXPECT_EQ(present, 3);
}

TEST(SkinXmlReader, EachKindTakesTheFirstWindowSkinThatTargetsIt) {
  const std::string xml =
      "<root><skin><windowSkins>"
      "<windowSkin><target window=\"CDialog\"/><target window=\"cmainwnd\"/>"  // kind names are exact
      "<parts><part name=\"Left\" rect=\"0,0,7,1\"/></parts></windowSkin>"
      "<windowSkin><target window=\"CDialog\"/><parts><part name=\"Left\" rect=\"0,0,9,1\"/></parts></windowSkin>"
      "</windowSkins></skin></root>";
  const SSkinDocument doc = ReadSkinXml(xml, {});
  EXPECT_EQ(FrameThickness(doc.ForKind(WindowKindOfClass(L"#32770"))).left, 7);
  // Dialogs only: main windows stay undecorated.
  for (const SSkinPart& part : doc.ForKind(WindowKindOfClass(L"Tavrel Video")).parts) EXPECT_FALSE(part.present);
}

TEST(SkinXmlReader, CaptionColoursFontAndCaps) {
  const SWindowSkin skin = ReadDialogSkin(
      "<caption rect=\"-80,4,-30,18\" fontFace=\"Tahoma\" fontSize=\"90PT\" fontWeight=\"normal\""
      " colour=\"FF8000\" inactiveColour=\"00ff0A\" shadowColour=\"010203\" caps=\"yes\" align=\"CENTER\"/>");
  EXPECT_TRUE(skin.captionPresent);
  EXPECT_EQ(skin.caption, (SSkinQuad{-80, 4, -30, 18}));
  EXPECT_EQ(skin.colour, 0x0080FFu);
  EXPECT_EQ(skin.inactiveColour, 0x0AFF00u);
  EXPECT_EQ(skin.shadowColour, std::optional<TSkinColour>(0x030201u));
  EXPECT_FALSE(skin.outlineColour);
  EXPECT_TRUE(skin.caps);
  EXPECT_EQ(skin.align, ECaptionAlign::kCenter);
  ASSERT_TRUE(skin.captionFont);
  EXPECT_EQ(skin.captionFont->face, L"Tahoma");
  EXPECT_EQ(skin.captionFont->weight, 400);
  EXPECT_EQ(CaptionFontHeight(*skin.captionFont, 96), 12);  // a 9-point font
  EXPECT_EQ(CaptionFontHeight(*skin.captionFont, 120), 15);
}

TEST(SkinXmlReader, CaptionFontNeedsAFaceAndMalformedValuesKeepDefaults) {
  const struct {
    const char* attrs;
    std::optional<SCaptionFont> font;
  } cases[] = {
      {"fontSize=\"20\" fontWeight=\"bold\"", std::nullopt},
      {"fontFace=\"Arial\"", SCaptionFont{L"Arial", 13, false, 700}},
      {"fontFace=\"Arial\" fontSize=\"20\" fontWeight=\"550\"", SCaptionFont{L"Arial", 20, false, 550}},
      {"fontFace=\"Arial\" fontSize=\"big\" fontWeight=\"Bold!\"", SCaptionFont{L"Arial", 13, false, 700}},
      {"fontFace=\"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\"",
       SCaptionFont{L"ABCDEFGHIJKLMNOPQRSTUVWXYZ01234", 13, false, 700}},
  };
  for (const auto& c : cases) {
    const SWindowSkin skin = ReadDialogSkin(std::string("<caption ") + c.attrs + "/>");
    ASSERT_EQ(skin.captionFont.has_value(), c.font.has_value()) << c.attrs;
    if (!c.font) continue;
    EXPECT_EQ(skin.captionFont->face, c.font->face) << c.attrs;
    EXPECT_EQ(skin.captionFont->size, c.font->size) << c.attrs;
    EXPECT_FALSE(skin.captionFont->sizeInTenthsOfPoint) << c.attrs;
    EXPECT_EQ(skin.captionFont->weight, c.font->weight) << c.attrs;
  }
  const SWindowSkin plain = ReadDialogSkin("<caption caps=\"\" align=\"middle\"/>");
  EXPECT_FALSE(plain.caps);
  EXPECT_EQ(plain.align, ECaptionAlign::kLeft);
  EXPECT_FALSE(plain.captionPresent);
}

TEST(SkinXmlReader, MalformedColoursKeepTheirDefaults) {
  for (const char* bad : {"FF80", "FF80001", "GG0000", "#FF800", " FF800", "ff 800"}) {
    const std::string attr = std::string("\"") + bad + "\"";
    const SWindowSkin skin = ReadDialogSkin("<caption colour=" + attr + " inactiveColour=" + attr +
                                            " outlineColour=" + attr + "/>");
    EXPECT_EQ(skin.colour, 0xFFFFFFu) << bad;
    EXPECT_EQ(skin.inactiveColour, 0x808080u) << bad;
    EXPECT_FALSE(skin.outlineColour) << bad;
  }
}

TEST(SkinXmlReader, MalformedNumbersKeepWhatWasReadAndTheRestAsBefore) {
  SSkinReadOptions options;
  options.systemFrameWidth = 6;
  const SSkinDocument doc = ReadSkinXml(
      SkinDocumentFor("<target window=\"CMainWnd\"/>",
                      "<maximiseCrop rect=\"3,oops,7,8\"/>"
                      "<resizeBorder rect=\"2, 0x10\"/>"
                      "<minimumSize width=\"wide\" height=\"300px\"/>"
                      "<anchors><anchor name=\"Close\" rect=\"-20,4;16,14\"/></anchors>"),
      options);
  EXPECT_EQ(doc.mainWnd.maximiseCrop, (SSkinQuad{3, 0, -1, -1}));
  EXPECT_EQ(doc.mainWnd.resizeBorder, (SSkinQuad{2, 16, 6, 6}));
  EXPECT_EQ(doc.mainWnd.minimumWidth, 0);
  EXPECT_EQ(doc.mainWnd.minimumHeight, 300);
  EXPECT_EQ(doc.mainWnd.anchors[kAnchorClose].rect, (SSkinRect{-20, 4, -20, 4}));
  // Never given: the defaults.
  EXPECT_EQ(doc.dialog.maximiseCrop, (SSkinQuad{-1, 0, -1, -1}));
}

TEST(SkinXmlReader, NumbersBeyondIntAreClampedNotWrapped) {
  const SWindowSkin skin = ReadDialogSkin(
      "<parts><part name=\"Left\" rect=\"2147483000,0,99999999999,-99999999999\"/></parts>");
  EXPECT_EQ(skin.parts[kPartLeft].source, (SSkinRect{2147483000, 0, 2147483647, -2147483647 - 1}));
}

TEST(SkinXmlReader, AnImageThatDoesNotLoadStopsItsWindowSkinAndIsReported) {
  SSkinReadOptions options;
  std::vector<SSkinImageSource> asked;
  options.imageLoads = [&](const SSkinImageSource& source) {
    asked.push_back(source);
    return source.path != L"gone.bmp";
  };
  const SWindowSkin skin = ReadSkinXml(SkinDocumentFor("<target window=\"CDialog\"/>",
                                                       "<parts><part name=\"Left\" rect=\"0,0,5,5\"/></parts>"
                                                       "<image path=\"frame.bmp\"/>"
                                                       "<image path=\"menu.bmp\" type=\"WaterMark\"/>"
                                                       "<image path=\"\" res=\"101\" type=\"alpha\"/>"
                                                       "<image path=\"gone.bmp\"/>"
                                                       "<parts><part name=\"Right\" rect=\"0,0,5,5\"/></parts>"),
                                       options)
                               .dialog;
  ASSERT_EQ(asked.size(), 4u);
  EXPECT_EQ(asked[2].resource, 101);
  EXPECT_TRUE(skin.HasPart(kPartLeft));
  EXPECT_FALSE(skin.HasPart(kPartRight));  // after the missing image
  ASSERT_TRUE(skin.bitmap);
  EXPECT_EQ(skin.bitmap->path, L"frame.bmp");  // watermark and alpha images are not the frame

  const SSkinDocument noSource =
      ReadSkinXml(SkinDocumentFor("<target window=\"CDialog\"/>", "<image type=\"frame\"/>"), options);
  ASSERT_EQ(noSource.missingImages.size(), 1u);
  EXPECT_FALSE(noSource.dialog.bitmap);
}

TEST(SkinXmlReader, UnparsableDocumentsGiveNoSkin) {
  for (const char* xml :
       {"", "  ", "<!-- only a comment -->", "<root><skin>", "not xml at all", "<root/><<", "<root a=1/>"}) {
    EXPECT_FALSE(ReadSkinXml(xml, {}).loaded) << xml;
  }
  // Well-formed but not a skin: loaded, nothing defined.
  const SSkinDocument other = ReadSkinXml("<html><skin/></html>", {});
  EXPECT_TRUE(other.loaded);
  EXPECT_FALSE(other.dialog.HasPart(kPartTop));
}

TEST(SkinXmlReader, RebarWatermarkComesFromTheCoolMenuBarTarget) {
  const SSkinDocument doc = ReadSkinXml(
      "<root><skin><watermarks><watermark target=\"Other\" path=\"a.bmp\"/>"
      "<watermark target=\"CCoolMenuBar\" path=\"bar.bmp\"/></watermarks></skin></root>",
      {});
  EXPECT_EQ(doc.rebarWatermark, L"bar.bmp");
}

}  // namespace
}  // namespace corvane
