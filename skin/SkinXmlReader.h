#pragma once
// Reads a skin folder's skin.xml into one window-skin definition per window
// kind. Never throws: a document that does not parse gives loaded = false
// (the caller then uses no skin); everything the document leaves out or
// writes malformed keeps its default.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/WindowSkin.h"

namespace corvane {

// Windows of the system dialog class are "CDialog", all others "CMainWnd";
// the names select a "windowSkin" through its "target" children.
enum class EWindowKind { kMainWnd, kDialog };
EWindowKind WindowKindOfClass(std::wstring_view className);
const char* WindowKindName(EWindowKind kind);

struct SSkinReadOptions {
  // The default width of every resize zone: the system's sizing-frame width.
  int systemFrameWidth = 4;
  // Whether a bitmap named by an "image" element can be loaded (the caller
  // loads it here and keeps it). Unset: every image counts as loadable.
  std::function<bool(const SSkinImageSource&)> imageLoads;
};

struct SSkinDocument {
  bool loaded = false;  // the text parsed as XML
  SWindowSkin mainWnd;
  SWindowSkin dialog;
  // Background of rebar bands, relative to the skin folder; empty: none.
  std::wstring rebarWatermark;
  // Images that could not be loaded; reading of their window skin stopped
  // at each of them. A windowSkin that serves both kinds is read (and its
  // images asked for) once per kind.
  std::vector<SSkinImageSource> missingImages;

  const SWindowSkin& ForKind(EWindowKind kind) const { return kind == EWindowKind::kDialog ? dialog : mainWnd; }
};

SSkinDocument ReadSkinXml(std::string_view xml, const SSkinReadOptions& options);

}  // namespace corvane
