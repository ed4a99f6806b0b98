#include "skin/SkinXmlReader.h"

#include <algorithm>
#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>
#include <cctype>
#include <sstream>

#include "base/TextConvert.h"

namespace corvane {
namespace {

using boost::property_tree::ptree;

constexpr size_t kMaxFaceName = 31;  // the system's font face limit less its terminator

// An attribute's value; an empty value counts as absent.
std::optional<std::string> Attr(const ptree& node, const char* name) {
  const auto attrs = node.get_child_optional("<xmlattr>");
  if (!attrs) return std::nullopt;
  const auto it = attrs->find(name);
  if (it == attrs->not_found() || it->second.data().empty()) return std::nullopt;
  return it->second.data();
}

std::string LowerAscii(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// First child element of that name, or nothing.
const ptree* Child(const ptree& node, const char* name) {
  const auto it = node.find(name);
  return it == node.not_found() ? nullptr : &it->second;
}

// "rect" or else "point"; nothing when the element has neither.
std::optional<SSkinRect> RectOrPoint(const ptree& node) {
  if (const auto rect = Attr(node, "rect")) return SkinRectFromRect(*rect);
  if (const auto point = Attr(node, "point")) return SkinRectFromPoint(*point);
  return std::nullopt;
}

void ScanInto(const ptree& node, const char* name, int count, SSkinQuad& quad) {
  if (const auto text = Attr(node, name)) ScanSkinNumbers(*text, count, quad);
}

void ReadColour(const ptree& node, const char* name, TSkinColour& colour) {
  if (const auto text = Attr(node, name)) colour = ParseSkinColour(*text).value_or(colour);
}

void ReadColour(const ptree& node, const char* name, std::optional<TSkinColour>& colour) {
  if (const auto text = Attr(node, name)) {
    if (const auto value = ParseSkinColour(*text)) colour = value;
  }
}

void ReadDecimal(const ptree& node, const char* name, int& value) {
  if (const auto text = Attr(node, name)) value = ScanSkinDecimal(*text).value_or(value);
}

void ReadParts(const ptree& parts, SWindowSkin& skin) {
  for (const auto& [tag, node] : parts) {
    if (tag != "part") continue;
    const auto rect = RectOrPoint(node);
    const int index = FramePartFromName(Attr(node, "name").value_or(""));
    if (!rect || index < 0) continue;
    SSkinPart& part = skin.parts[index];
    part.present = true;
    part.stretch = LowerAscii(Attr(node, "mode").value_or("")) == "stretch";
    part.source = *rect;
    // A part is never empty: an edge of zero is drawn one pixel wide.
    if (part.source.Width() == 0) part.source.right = AddClamped(part.source.left, 1);
    if (part.source.Height() == 0) part.source.bottom = AddClamped(part.source.top, 1);
  }
}

void ReadAnchors(const ptree& anchors, SWindowSkin& skin) {
  for (const auto& [tag, node] : anchors) {
    if (tag != "anchor") continue;
    const auto rect = RectOrPoint(node);
    const int index = SkinAnchorFromName(Attr(node, "name").value_or(""));
    if (!rect || index < 0) continue;
    skin.anchors[index] = SSkinAnchor{true, *rect};
  }
}

void ReadRegion(const ptree& region, SWindowSkin& skin) {
  skin.regionPresent = true;
  for (const auto& [tag, node] : region) {
    if (tag != "shape") continue;
    SRegionShape shape;
    if (const auto rect = Attr(node, "rect")) {
      shape.rect.emplace();
      ScanSkinNumbers(*rect, 4, *shape.rect);
    }
    shape.type = Attr(node, "type").value_or("");
    ScanInto(node, "size", 2, shape.size);
    shape.combine = Attr(node, "combine").value_or("");
    skin.region.push_back(std::move(shape));
  }
}

SCaptionFont ReadCaptionFont(const ptree& caption, const std::string& face) {
  SCaptionFont font;
  font.face = Utf8ToWide(face).substr(0, kMaxFaceName);
  if (const auto size = Attr(caption, "fontSize")) {
    font.size = ScanSkinDecimal(*size).value_or(font.size);
    font.sizeInTenthsOfPoint = LowerAscii(*size).find("pt") != std::string::npos;
  }
  if (const auto weight = Attr(caption, "fontWeight")) {
    if (*weight == "bold") {
      font.weight = 700;
    } else if (*weight == "normal") {
      font.weight = 400;
    } else {
      font.weight = ScanSkinDecimal(*weight).value_or(font.weight);
    }
  }
  return font;
}

void ReadCaption(const ptree& caption, SWindowSkin& skin) {
  if (const auto rect = Attr(caption, "rect")) {
    skin.captionPresent = true;
    ScanSkinNumbers(*rect, 4, skin.caption);
  }
  if (const auto face = Attr(caption, "fontFace")) skin.captionFont = ReadCaptionFont(caption, *face);
  ReadColour(caption, "colour", skin.colour);
  ReadColour(caption, "inactiveColour", skin.inactiveColour);
  ReadColour(caption, "shadowColour", skin.shadowColour);
  ReadColour(caption, "outlineColour", skin.outlineColour);
  if (Attr(caption, "caps")) skin.caps = true;
  if (const auto align = Attr(caption, "align")) {
    const std::string value = LowerAscii(*align);
    skin.align = value == "center" ? ECaptionAlign::kCenter
                 : value == "right" ? ECaptionAlign::kRight
                                    : ECaptionAlign::kLeft;
  }
}

// False when the image cannot be loaded: reading of the window skin stops.
bool ReadImage(const ptree& image, SWindowSkin& skin, const SSkinReadOptions& options, SSkinDocument& document) {
  SSkinImageSource source;
  if (const auto path = Attr(image, "path")) {
    source.path = Utf8ToWide(*path);
  } else if (const auto res = Attr(image, "res")) {
    source.resource = ScanSkinDecimal(*res).value_or(0);
  }
  const bool named = !source.path.empty() || source.resource != 0;
  if (!named || (options.imageLoads && !options.imageLoads(source))) {
    document.missingImages.push_back(std::move(source));
    return false;
  }
  const std::string type = LowerAscii(Attr(image, "type").value_or(""));
  if (type != "watermark" && type != "water" && type != "alpha") skin.bitmap = std::move(source);
  return true;
}

SWindowSkin ReadWindowSkin(const ptree& windowSkin, const SSkinReadOptions& options, SSkinDocument& document) {
  SWindowSkin skin;
  skin.resizeBorder = SSkinQuad{options.systemFrameWidth, options.systemFrameWidth, options.systemFrameWidth,
                                options.systemFrameWidth};
  for (const auto& [tag, node] : windowSkin) {
    if (tag == "parts") {
      ReadParts(node, skin);
    } else if (tag == "anchors") {
      ReadAnchors(node, skin);
    } else if (tag == "region") {
      ReadRegion(node, skin);
    } else if (tag == "caption") {
      ReadCaption(node, skin);
    } else if (tag == "image") {
      if (!ReadImage(node, skin, options, document)) break;
    } else if (tag == "maximiseCrop") {
      ScanInto(node, "rect", 4, skin.maximiseCrop);
    } else if (tag == "resizeBorder") {
      ScanInto(node, "rect", 4, skin.resizeBorder);
    } else if (tag == "minimumSize") {
      ReadDecimal(node, "width", skin.minimumWidth);
      ReadDecimal(node, "height", skin.minimumHeight);
    }
  }
  return skin;
}

bool Targets(const ptree& windowSkin, const char* kind) {
  return std::any_of(windowSkin.begin(), windowSkin.end(), [&](const ptree::value_type& child) {
    return child.first == "target" && Attr(child.second, "window") == std::optional<std::string>(kind);
  });
}

// The first "windowSkin" that targets the kind; none: an empty definition.
SWindowSkin ReadKind(const ptree* windowSkins, EWindowKind kind, const SSkinReadOptions& options,
                     SSkinDocument& document) {
  if (windowSkins) {
    for (const auto& [tag, node] : *windowSkins) {
      if (tag == "windowSkin" && Targets(node, WindowKindName(kind))) return ReadWindowSkin(node, options, document);
    }
  }
  return SWindowSkin{};
}

std::wstring ReadRebarWatermark(const ptree* watermarks) {
  if (!watermarks) return {};
  for (const auto& [tag, node] : *watermarks) {
    if (tag == "watermark" && Attr(node, "target") == std::optional<std::string>("CCoolMenuBar")) {
      return Utf8ToWide(Attr(node, "path").value_or(""));
    }
  }
  return {};
}

}  // namespace

EWindowKind WindowKindOfClass(std::wstring_view className) {
  return className == L"#32770" ? EWindowKind::kDialog : EWindowKind::kMainWnd;
}

const char* WindowKindName(EWindowKind kind) { return kind == EWindowKind::kDialog ? "CDialog" : "CMainWnd"; }

SSkinDocument ReadSkinXml(std::string_view xml, const SSkinReadOptions& options) {
  SSkinDocument document;
  ptree tree;
  try {
    std::istringstream stream{std::string(xml)};
    boost::property_tree::read_xml(stream, tree);
  } catch (const boost::property_tree::ptree_error&) {
    return document;
  }
  // The parser takes empty text (or text alone) for an empty document; a
  // skin.xml needs an element. It does not compare closing tags with their
  // opening ones, so "<root></skin>" reads as "<root/>".
  const bool hasElement = std::any_of(tree.begin(), tree.end(), [](const ptree::value_type& child) {
    return !child.first.empty() && child.first[0] != '<';
  });
  if (!hasElement) return document;
  document.loaded = true;
  const ptree* root = Child(tree, "root");
  const ptree* skin = root ? Child(*root, "skin") : nullptr;
  const ptree* windowSkins = skin ? Child(*skin, "windowSkins") : nullptr;
  document.mainWnd = ReadKind(windowSkins, EWindowKind::kMainWnd, options, document);
  document.dialog = ReadKind(windowSkins, EWindowKind::kDialog, options, document);
  document.rebarWatermark = ReadRebarWatermark(skin ? Child(*skin, "watermarks") : nullptr);
  return document;
}

}  // namespace corvane
