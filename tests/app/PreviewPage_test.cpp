// The preview window's pages: which page a file gets (or none), the sizes
// in it, and that every path survives the trip into markup whatever
// characters it holds.
#include "app/PreviewPage.h"

#include <gtest/gtest.h>

#include <regex>

#include "app/MarkupEscape.h"
#include "app/PlayRoute.h"
#include "app/PreviewLayout.h"
#include "app/ProgramFlags.h"
#include "base/TextConvert.h"

namespace corvane {
namespace {

// Reverses EscapeMarkup's references (and the numeric forms a page may use).
std::wstring UnescapeMarkup(const std::wstring& text) {
  static const std::pair<const wchar_t*, wchar_t> kReferences[] = {
      {L"&amp;", L'&'}, {L"&lt;", L'<'}, {L"&gt;", L'>'}, {L"&quot;", L'"'}, {L"&#39;", L'\''}};
  std::wstring out;
  for (size_t i = 0; i < text.size();) {
    bool replaced = false;
    for (const auto& [reference, c] : kReferences) {
      const std::wstring_view r(reference);
      if (text.compare(i, r.size(), r) == 0) {
        out += c;
        i += r.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) out += text[i++];
  }
  return out;
}

// The first capture of `pattern` in the page, or "<none>".
std::wstring Capture(const std::wstring& page, const std::wstring& pattern) {
  std::wsmatch match;
  if (!std::regex_search(page, match, std::wregex(pattern))) return L"<none>";
  return match[1].str();
}

int Count(const std::wstring& text, const std::wstring& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

SPreviewPageInput InputFor(const std::wstring& file, int width = 496, int height = 370, uint8_t flags = 0) {
  SPreviewPageInput input;
  input.files = {file};
  input.kind = PreviewKindOf(file);
  input.geometry = PreviewGeometryFor(input.kind, width, height, flags);
  input.barAddress = PreviewBarAddress(L"https://www.tavrel.example/", L"English");
  return input;
}

std::wstring PageFor(const SPreviewPageInput& input) { return Utf8ToWide(BuildPreviewPage(input)); }

TEST(PreviewKindOf, ExtensionFamiliesWithoutRegardToCase) {
  const struct {
    const wchar_t* path;
    EPreviewKind kind;
  } cases[] = {
      {L"C:\\v\\a.wmv", kPreviewWindowsMedia},  {L"C:\\v\\a.WMA", kPreviewWindowsMedia},
      {L"C:\\v\\a.Asf", kPreviewWindowsMedia},  {L"C:\\v\\a.MP4", kPreviewWindowsMedia},
      {L"C:\\v\\a.avi", kPreviewWindowsMedia},  {L"C:\\v\\a.mpeg", kPreviewWindowsMedia},
      {L"C:\\v\\a.rmvb", kPreviewRealMedia},    {L"C:\\v\\a.RM", kPreviewRealMedia},
      {L"/home/u/x.rm", kPreviewRealMedia},
      // Types no page plays: the system's own player takes them.
      {L"C:\\v\\a.flv", kPreviewNone},          {L"C:\\v\\a.mkv", kPreviewNone},
      {L"C:\\v\\a.rmv", kPreviewNone},          {L"C:\\v\\a.wmv.flv", kPreviewNone},
      {L"C:\\v\\noextension", kPreviewNone},    {L"C:\\v.wmv\\clip", kPreviewNone},
      {L"C:\\v\\clip.", kPreviewNone},
  };
  for (const auto& c : cases) EXPECT_EQ(PreviewKindOf(c.path), c.kind) << WideToUtf8(c.path);
}

TEST(PreviewGeometryFor, BarAndPlayerSizesPerKindAndNoBarFlag) {
  const struct {
    EPreviewKind kind;
    uint8_t flags;
    int bar, width, height;
  } cases[] = {
      {kPreviewWindowsMedia, 0, 57, 492, 310},
      {kPreviewRealMedia, 0, 57, 492, 250},
      {kPreviewWindowsMedia, kProgramFlagNoBar, 0, 492, 367},
      {kPreviewRealMedia, kProgramFlagNoBar, 0, 492, 367},
      {kPreviewWindowsMedia, 0xEF, 57, 492, 310},  // every other bit: still the bar
  };
  for (const auto& c : cases) {
    const SPreviewGeometry g = PreviewGeometryFor(c.kind, 500, 400, c.flags);
    EXPECT_EQ(g.barHeight, c.bar) << c.kind << " " << int(c.flags);
    EXPECT_EQ(g.playerWidth, c.width);
    EXPECT_EQ(g.playerHeight, c.height) << c.kind << " " << int(c.flags);
  }
}

TEST(PreviewGeometryFor, TinyWindowGivesNoNegativeSizes) {
  const SPreviewGeometry g = PreviewGeometryFor(kPreviewRealMedia, 5, 100, 0);
  EXPECT_EQ(g.playerWidth, 0);
  EXPECT_EQ(g.playerHeight, 0);
}

TEST(PreviewBarAddress, VendorServerPathLanguageAndType) {
  EXPECT_EQ(PreviewBarAddress(L"https://www.tavrel.example/", L"English"),
            L"https://www.tavrel.example/api_playtop.php?lang=English&type=flv");
  EXPECT_EQ(PreviewBarAddress(L"http://h.example", L"Português (Brasil)"),
            L"http://h.example/api_playtop.php?lang=Portugu%c3%aas%20(Brasil)&type=flv");
  // A language name cannot add parameters of its own.
  EXPECT_EQ(PreviewBarAddress(L"http://h.example", L"x&type=exe"),
            L"http://h.example/api_playtop.php?lang=x%26type%3dexe&type=flv");
}

TEST(PreviewPage, WmvGetsTheWindowsMediaPlayerPage) {
  const std::wstring file = L"C:\\Videos\\holiday.wmv";
  const std::wstring page = PageFor(InputFor(file));
  EXPECT_NE(page.find(L"clsid:6BF52A52-394A-11d3-B153-00C04F79FAA6"), std::wstring::npos);
  EXPECT_EQ(page.find(L"CFCDAA03"), std::wstring::npos);
  EXPECT_EQ(UnescapeMarkup(Capture(page, L"name=\"URL\" value=\"([^\"]*)\"")), file);
  EXPECT_EQ(UnescapeMarkup(Capture(page, L"<embed[^>]* src=\"([^\"]*)\"")), file);
  EXPECT_EQ(Capture(page, L"name=\"autoStart\" value=\"([^\"]*)\""), L"true");
  EXPECT_EQ(Capture(page, L"name=\"playCount\" value=\"([^\"]*)\""), L"1");
  EXPECT_EQ(Capture(page, L"name=\"volume\" value=\"([^\"]*)\""), L"50");
  EXPECT_EQ(Capture(page, L"name=\"stretchToFit\" value=\"([^\"]*)\""), L"true");
  EXPECT_NE(page.find(L"width:488px;height:279px"), std::wstring::npos);
  EXPECT_NE(page.find(L"width=\"500\" height=\"286\""), std::wstring::npos);
  EXPECT_EQ(UnescapeMarkup(Capture(page, L"<iframe id=\"bar\" src=\"([^\"]*)\"")),
            L"https://www.tavrel.example/api_playtop.php?lang=English&type=flv");
  EXPECT_EQ(Capture(page, L"<iframe[^>]* height=\"([0-9]+)\""), L"57");
}

TEST(PreviewPage, RmGetsThreeRealPlayerObjectsOnOneConsole) {
  const std::wstring file = L"C:\\Videos\\talk.rm";
  const std::wstring page = PageFor(InputFor(file, 500, 400));
  EXPECT_EQ(Count(page, L"clsid:CFCDAA03-8BE4-11cf-B84B-0020AFBBCCFA"), 3);
  EXPECT_EQ(Count(page, L"name=\"console\" value=\"Video\""), 3);
  EXPECT_EQ(page.find(L"6BF52A52"), std::wstring::npos);
  EXPECT_EQ(Capture(page, L"id=\"image\"[^>]* width=\"([0-9]+)\""), L"492");
  EXPECT_EQ(Capture(page, L"id=\"image\"[^>]* height=\"([0-9]+)\""), L"250");
  EXPECT_EQ(Capture(page, L"id=\"status\"[^>]* height=\"([0-9]+)\""), L"30");
  EXPECT_EQ(Capture(page, L"id=\"panel\"[^>]* height=\"([0-9]+)\""), L"30");
  EXPECT_EQ(Capture(page, L"id=\"image\"[^<]*<param name=\"controls\" value=\"([A-Za-z]+)\""), L"ImageWindow");
  EXPECT_EQ(Capture(page, L"id=\"panel\"[^<]*<param name=\"controls\" value=\"([A-Za-z]+)\""), L"ControlPanel");
  EXPECT_EQ(Count(page, L"name=\"src\""), 1);  // only the control panel names the file
  EXPECT_EQ(UnescapeMarkup(Capture(page, L"name=\"src\" value=\"([^\"]*)\"")), file);
  EXPECT_EQ(Capture(page, L"name=\"loop\" value=\"([^\"]*)\""), L"false");
  EXPECT_EQ(Capture(page, L"name=\"autostart\" value=\"([^\"]*)\""), L"true");
}

TEST(PreviewPage, Mp4GetsTheMediaPlayerPageAndFlvNoPage) {
  const std::wstring file = L"C:\\Videos\\joined.mp4";
  const std::wstring page = PageFor(InputFor(file));
  EXPECT_EQ(Count(page, L"clsid:6BF52A52-394A-11d3-B153-00C04F79FAA6"), 1);
  EXPECT_EQ(UnescapeMarkup(Capture(page, L"name=\"URL\" value=\"([^\"]*)\"")), file);
  EXPECT_EQ(page.find(L"<script"), std::wstring::npos);  // the page runs no script of its own
  EXPECT_EQ(BuildPreviewPage(InputFor(L"C:\\Videos\\joined.flv")), "");
}

TEST(PreviewPage, NoBarFlagLeavesTheBarOut) {
  for (const wchar_t* file : {L"C:\\a.mp4", L"C:\\a.wmv", L"C:\\a.rm"}) {
    const std::wstring page = PageFor(InputFor(file, 500, 400, kProgramFlagNoBar));
    EXPECT_EQ(page.find(L"<iframe"), std::wstring::npos) << WideToUtf8(file);
    EXPECT_EQ(page.find(L"api_playtop"), std::wstring::npos);
  }
}

TEST(PreviewPage, IsUtf8AndSaysSo) {
  const std::string bytes = BuildPreviewPage(InputFor(L"C:\\Vidéos\\été.wmv"));
  EXPECT_NE(bytes.find("charset=utf-8"), std::string::npos);
  EXPECT_NE(bytes.find("C:\\Vid\xC3\xA9os\\\xC3\xA9t\xC3\xA9.wmv"), std::string::npos);
  EXPECT_NE(Utf8ToWide(bytes).find(L"<title>été</title>"), std::wstring::npos);
}

// A file name with the characters that end attributes and elements must
// come back whole from every place it stands.
class HostileFileName : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(HostileFileName, WindowsMediaPageKeepsThePathWhole) {
  const std::wstring file = std::wstring(L"C:\\Tom & Jerry's <\"best\">\\") + GetParam() + L".wmv";
  const std::wstring page = PageFor(InputFor(file));
  EXPECT_EQ(UnescapeMarkup(Capture(page, L"name=\"URL\" value=\"([^\"]*)\"")), file);
  EXPECT_EQ(UnescapeMarkup(Capture(page, L"<embed[^>]* src=\"([^\"]*)\"")), file);
  EXPECT_EQ(UnescapeMarkup(Capture(page, L"<title>([^<]*)</title>")), GetParam());
  EXPECT_EQ(Count(page, L"<object"), 1);
}

TEST_P(HostileFileName, RealMediaPageKeepsThePathWhole) {
  const std::wstring file = std::wstring(L"C:\\a&b\\") + GetParam() + L".rmvb";
  const std::wstring page = PageFor(InputFor(file));
  EXPECT_EQ(UnescapeMarkup(Capture(page, L"name=\"src\" value=\"([^\"]*)\"")), file);
  EXPECT_EQ(Count(page, L"<object"), 3);
}

INSTANTIATE_TEST_SUITE_P(Names, HostileFileName,
                         ::testing::Values(L"Tom & Jerry", L"it's \"quoted\"", L"a<b>c", L"'); alert(1); ('",
                                           L"x=1&y=2+3%41", L"été 日本", L"semi;comma,[1]"));

TEST(EscapeMarkup, ReferencesAndDroppedControls) {
  EXPECT_EQ(EscapeMarkup(L"a&b<c>d\"e'f"), L"a&amp;b&lt;c&gt;d&quot;e&#39;f");
  EXPECT_EQ(EscapeMarkup(std::wstring(L"x\x01y\tz", 5)), L"xy\tz");
  EXPECT_EQ(EscapeMarkup(L"&amp;"), L"&amp;amp;");  // text, not markup: escaped again
}

TEST(PlayRoute, PreviewOnlyWithEngineAndThePagesPlayer) {
  std::vector<std::wstring> asked;
  const auto only = [&](const std::wstring& registered) {
    return [&asked, registered](const std::wstring& classId) {
      asked.push_back(classId);
      return classId == registered;
    };
  };
  EXPECT_EQ(ChoosePlayRoute(L"C:\\a.wmv", true, only(kWindowsMediaPlayerClassId)), EPlayRoute::kPreviewWindow);
  EXPECT_EQ(ChoosePlayRoute(L"C:\\a.rmvb", true, only(kRealPlayerClassId)), EPlayRoute::kPreviewWindow);
  EXPECT_EQ(ChoosePlayRoute(L"C:\\a.mp4", true, only(kWindowsMediaPlayerClassId)), EPlayRoute::kPreviewWindow);
  // A player for another kind does not help.
  EXPECT_EQ(ChoosePlayRoute(L"C:\\a.rm", true, only(kWindowsMediaPlayerClassId)), EPlayRoute::kDefaultHandler);
  EXPECT_EQ(asked.back(), kRealPlayerClassId);
  // A type no page plays goes to the system's player without asking for any.
  asked.clear();
  EXPECT_EQ(ChoosePlayRoute(L"C:\\a.flv", true, only(kWindowsMediaPlayerClassId)), EPlayRoute::kDefaultHandler);
  EXPECT_TRUE(asked.empty());
  // No engine: the registry is not even asked.
  asked.clear();
  EXPECT_EQ(ChoosePlayRoute(L"C:\\a.wmv", false, only(kWindowsMediaPlayerClassId)), EPlayRoute::kDefaultHandler);
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(ChoosePlayRoute(L"C:\\a.wmv", true, nullptr), EPlayRoute::kDefaultHandler);
}

}  // namespace
}  // namespace corvane
