// The preview window's pages and playlist: which page a file gets, the
// sizes in it, and that every path survives the trip into markup, script
// and URLs whatever characters it holds.
#include "app/PreviewPage.h"

#include <gtest/gtest.h>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

#include <regex>
#include <sstream>

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

std::wstring UnescapeScript(const std::wstring& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\\' && i + 5 < text.size() + 0 && text[i + 1] == L'u') {
      out += static_cast<wchar_t>(std::stoul(text.substr(i + 2, 4), nullptr, 16));
      i += 5;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::wstring DecodePercent(const std::wstring& text) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'%' && i + 2 < text.size()) {
      bytes += static_cast<char>(std::stoi(WideToUtf8(text.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    } else {
      bytes += WideToUtf8(std::wstring(1, text[i]));
    }
  }
  return Utf8ToWide(bytes);
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
  input.programFolder = L"C:\\Program Files\\Tavrel\\Corvane\\";
  input.playlistPath = L"C:\\Users\\me\\Temp\\TFR1A.tmp";
  return input;
}

std::wstring PageFor(const SPreviewPageInput& input) { return Utf8ToWide(BuildPreviewPage(input)); }

TEST(PreviewKindOf, ExtensionFamiliesWithoutRegardToCase) {
  const struct {
    const wchar_t* path;
    EPreviewKind kind;
  } cases[] = {
      {L"C:\\v\\a.wmv", kPreviewWindowsMedia}, {L"C:\\v\\a.WMA", kPreviewWindowsMedia},
      {L"C:\\v\\a.Asf", kPreviewWindowsMedia}, {L"C:\\v\\a.rmvb", kPreviewRealMedia},
      {L"C:\\v\\a.RM", kPreviewRealMedia},     {L"C:\\v\\a.mp4", kPreviewFlash},
      {L"C:\\v\\a.flv", kPreviewFlash},        {L"C:\\v\\a.rmv", kPreviewFlash},
      {L"C:\\v\\a.wmv.mp4", kPreviewFlash},    {L"C:\\v\\noextension", kPreviewFlash},
      {L"C:\\v.wmv\\clip", kPreviewFlash},     {L"/home/u/x.rm", kPreviewRealMedia},
  };
  for (const auto& c : cases) EXPECT_EQ(PreviewKindOf(c.path), c.kind) << WideToUtf8(c.path);
}

TEST(PreviewGeometryFor, BarAndPlayerSizesPerKindAndNoBarFlag) {
  const struct {
    EPreviewKind kind;
    uint8_t flags;
    int bar, width, height;
  } cases[] = {
      {kPreviewFlash, 0, 57, 492, 310},
      {kPreviewWindowsMedia, 0, 57, 492, 310},
      {kPreviewRealMedia, 0, 57, 492, 250},
      {kPreviewFlash, kProgramFlagNoBar, 0, 492, 367},
      {kPreviewRealMedia, kProgramFlagNoBar, 0, 492, 367},
      {kPreviewFlash, 0xEF, 57, 492, 310},  // every other bit: still the bar
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
  EXPECT_EQ(page.find(L"SWFObject"), std::wstring::npos);
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

TEST(PreviewPage, Mp4GetsTheFlashPageWithPlayerFromTheProgramFolder) {
  const SPreviewPageInput input = InputFor(L"C:\\Videos\\clip.mp4", 500, 400);
  const std::wstring page = PageFor(input);
  EXPECT_EQ(page.find(L"6BF52A52"), std::wstring::npos);
  EXPECT_EQ(page.find(L"CFCDAA03"), std::wstring::npos);
  // Paths use "/" throughout, no "\" is left in the page.
  EXPECT_EQ(page.find(L'\\'), std::wstring::npos);
  EXPECT_EQ(UnescapeMarkup(Capture(page, L"<script type=\"text/javascript\" src=\"([^\"]*)\"")),
            L"file:///C:/Program%20Files/Tavrel/Corvane/swfobject.js");
  EXPECT_EQ(Capture(page, L"new SWFObject\\(\"([^\"]*)\""), L"file:///C:/Program%20Files/Tavrel/Corvane/mediaplayer.swf");
  EXPECT_EQ(Capture(page, L"new SWFObject\\(\"[^\"]*\", \"[^\"]*\", \"([0-9]+)\""), L"492");
  EXPECT_EQ(Capture(page, L"id=\"wrapper\" style=\"width:([0-9]+px;height:[0-9]+)px"), L"492px;height:310");
  EXPECT_EQ(DecodePercent(Capture(page, L"addVariable\\(\"file\", \"([^\"]*)\"")), L"file:///C:/Users/me/Temp/TFR1A.tmp");
  const std::pair<const wchar_t*, const wchar_t*> variables[] = {
      {L"autostart", L"true"},       {L"repeat", L"list"},          {L"displayheight", L"9999"},
      {L"backcolor", L"0x000000"},   {L"frontcolor", L"0xCCCCCC"},  {L"lightcolor", L"0x557722"},
  };
  for (const auto& [name, value] : variables) {
    EXPECT_EQ(Capture(page, std::wstring(L"addVariable\\(\"") + name + L"\", \"([^\"]*)\""), value) << WideToUtf8(name);
  }
  EXPECT_EQ(Capture(page, L"addParam\\(\"allowfullscreen\", \"([^\"]*)\""), L"true");
  EXPECT_EQ(Capture(page, L"<iframe[^>]* width=\"([^\"]*)\""), L"105%");
  EXPECT_NE(page.find(L"Get the Flash Player</a>"), std::wstring::npos);
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

// A file name with the characters that end attributes, elements, script
// strings and query values must come back whole from every place it stands.
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

TEST_P(HostileFileName, FlashPageKeepsProgramAndPlaylistPathsWhole) {
  SPreviewPageInput input = InputFor(L"C:\\v\\clip.mp4");
  input.programFolder = std::wstring(L"C:\\") + GetParam() + L"\\";
  input.playlistPath = std::wstring(L"C:\\Temp\\") + GetParam() + L"\\TFR2.tmp";
  const std::wstring page = PageFor(input);
  EXPECT_EQ(DecodePercent(UnescapeMarkup(Capture(page, L"<script type=\"text/javascript\" src=\"([^\"]*)\""))),
            L"file:///C:/" + std::wstring(GetParam()) + L"/swfobject.js");
  EXPECT_EQ(DecodePercent(UnescapeScript(Capture(page, L"new SWFObject\\(\"([^\"]*)\""))),
            L"file:///C:/" + std::wstring(GetParam()) + L"/mediaplayer.swf");
  // Two decodings: the player's variable string, then the file URL.
  const std::wstring variable = UnescapeScript(Capture(page, L"addVariable\\(\"file\", \"([^\"]*)\""));
  EXPECT_EQ(variable.find_first_of(L"&= "), std::wstring::npos);
  EXPECT_EQ(DecodePercent(DecodePercent(variable)), L"file:///C:/Temp/" + std::wstring(GetParam()) + L"/TFR2.tmp");
  // The script element is closed exactly once, by the page itself.
  EXPECT_EQ(Count(page, L"</script>"), 2);
}

TEST_P(HostileFileName, PlaylistParsesAsXmlWithEachEntry) {
  const std::wstring first = std::wstring(L"C:\\in\\") + GetParam() + L".mp4";
  const std::wstring second = L"C:\\in\\plain #2 100%.flv";
  const std::string bytes = BuildAsxPlaylist({first, second});
  boost::property_tree::ptree tree;
  std::istringstream stream(bytes);
  ASSERT_NO_THROW(boost::property_tree::read_xml(stream, tree)) << bytes;
  const auto& asx = tree.get_child("asx");
  EXPECT_EQ(asx.get<std::string>("<xmlattr>.version"), "3.0");
  EXPECT_EQ(asx.get<std::string>("param.<xmlattr>.name"), "encoding");
  EXPECT_EQ(asx.get<std::string>("param.<xmlattr>.value"), "utf-8");
  EXPECT_EQ(Utf8ToWide(asx.get<std::string>("title")), GetParam());
  std::vector<std::wstring> refs;
  for (const auto& [name, child] : asx) {
    if (name == "entry") refs.push_back(DecodePercent(Utf8ToWide(child.get<std::string>("ref.<xmlattr>.href"))));
  }
  ASSERT_EQ(refs.size(), 2u);
  EXPECT_EQ(refs[0], L"file:///C:/in/" + std::wstring(GetParam()) + L".mp4");
  EXPECT_EQ(refs[1], L"file:///C:/in/plain #2 100%.flv");
}

INSTANTIATE_TEST_SUITE_P(Names, HostileFileName,
                         ::testing::Values(L"Tom & Jerry", L"it's \"quoted\"", L"a<b>c", L"'); alert(1); ('",
                                           L"x=1&y=2+3%41", L"été 日本", L"semi;comma,[1]"));

TEST(AsxPlaylist, OneEntryForOneFileAndUtf8Declaration) {
  const std::string bytes = BuildAsxPlaylist({L"C:\\v\\clip.mp4"});
  EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"utf-8\"?>", 0), 0u);
  EXPECT_EQ(Count(Utf8ToWide(bytes), L"<entry>"), 1);
  EXPECT_NE(bytes.find("<title>clip</title>"), std::string::npos);
}

TEST(FileUrlOfPath, DriveNetworkAndRootedPaths) {
  EXPECT_EQ(FileUrlOfPath(L"C:\\a b\\c.mp4"), L"file:///C:/a%20b/c.mp4");
  EXPECT_EQ(FileUrlOfPath(L"\\\\server\\share\\c.mp4"), L"file://server/share/c.mp4");
  EXPECT_EQ(FileUrlOfPath(L"/home/u/c.mp4"), L"file:///home/u/c.mp4");
  EXPECT_EQ(FileUrlOfPath(L"C:\\50%#1?.mp4"), L"file:///C:/50%25%231%3F.mp4");
}

TEST(EscapeMarkup, ReferencesAndDroppedControls) {
  EXPECT_EQ(EscapeMarkup(L"a&b<c>d\"e'f"), L"a&amp;b&lt;c&gt;d&quot;e&#39;f");
  EXPECT_EQ(EscapeMarkup(std::wstring(L"x\x01y\tz", 5)), L"xy\tz");
  EXPECT_EQ(EscapeMarkup(L"&amp;"), L"&amp;amp;");  // text, not markup: escaped again
}

TEST(EscapeScriptString, CannotEndTheStringOrTheScriptElement) {
  EXPECT_EQ(EscapeScriptString(L"</script>"), L"\\u003C/script\\u003E");
  EXPECT_EQ(EscapeScriptString(L"a\"b'c\\d"), L"a\\u0022b\\u0027c\\u005Cd");
  EXPECT_EQ(EscapeScriptString(L"line\nnext"), L"line\\u000Anext");
  EXPECT_EQ(EscapeScriptString(L"plain été"), L"plain été");
}

TEST(EscapeQueryValue, OnlyUnreservedBytesStayPlain) {
  EXPECT_EQ(EscapeQueryValue(L"file:///C:/a b&c=d+e%f#g"), L"file:///C:/a%20b%26c%3Dd%2Be%25f%23g");
  EXPECT_EQ(EscapeQueryValue(L"é"), L"%C3%A9");
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
  EXPECT_EQ(ChoosePlayRoute(L"C:\\a.mp4", true, only(kFlashPlayerClassId)), EPlayRoute::kPreviewWindow);
  // A player for another kind does not help.
  EXPECT_EQ(ChoosePlayRoute(L"C:\\a.mp4", true, only(kWindowsMediaPlayerClassId)), EPlayRoute::kDefaultHandler);
  EXPECT_EQ(ChoosePlayRoute(L"C:\\a.rm", true, only(kFlashPlayerClassId)), EPlayRoute::kDefaultHandler);
  EXPECT_EQ(asked.back(), kRealPlayerClassId);
  // No engine: the registry is not even asked.
  asked.clear();
  EXPECT_EQ(ChoosePlayRoute(L"C:\\a.wmv", false, only(kWindowsMediaPlayerClassId)), EPlayRoute::kDefaultHandler);
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(ChoosePlayRoute(L"C:\\a.wmv", true, nullptr), EPlayRoute::kDefaultHandler);
}

}  // namespace
}  // namespace corvane
