#include "app/PreviewPage.h"

#include "app/MarkupEscape.h"
#include "base/EscapeUrl.h"
#include "base/TextConvert.h"

namespace corvane {
namespace {

// Where the page points a user whose browser has no Flash player.
constexpr wchar_t kGetFlashPlayerAddress[] = L"https://get.adobe.com/flashplayer/";

std::wstring Number(int value) { return std::to_wstring(value); }

// "name=value" attribute with the value escaped.
std::wstring Attribute(const wchar_t* name, std::wstring_view value) {
  return std::wstring(L" ") + name + L"=\"" + EscapeMarkup(value) + L"\"";
}

std::wstring Param(const wchar_t* name, std::wstring_view value) {
  return std::wstring(L"<param") + Attribute(L"name", name) + Attribute(L"value", value) + L">\n";
}

std::wstring PageHead(const SPreviewPageInput& input) {
  const std::wstring title = input.files.empty() ? std::wstring() : FileTitleOf(input.files.front());
  return L"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n"
         L"<html>\n<head>\n"
         L"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
         L"<title>" + EscapeMarkup(title) + L"</title>\n"
         L"<style type=\"text/css\">html,body{margin:0;padding:0;background:#000;overflow:hidden}"
         L"#bar{display:block;border:0}</style>\n";
}

// The vendor's bar above the player; nothing when the bar is off.
std::wstring BarFrame(const SPreviewPageInput& input, std::wstring_view width) {
  if (input.geometry.barHeight <= 0) return std::wstring();
  return L"<iframe id=\"bar\"" + Attribute(L"src", input.barAddress) + Attribute(L"width", width) +
         Attribute(L"height", Number(input.geometry.barHeight)) +
         L" frameborder=\"0\" scrolling=\"no\" marginwidth=\"0\" marginheight=\"0\"></iframe>\n";
}

std::wstring ClassIdAttribute(const wchar_t* classId) { return Attribute(L"classid", std::wstring(L"clsid:") + classId); }

std::wstring WindowsMediaBody(const SPreviewPageInput& input, const std::wstring& file) {
  return L"<body>\n" + BarFrame(input, L"100%") +
         L"<div style=\"width:488px;height:279px\">\n"
         L"<object id=\"player\"" + ClassIdAttribute(kWindowsMediaPlayerClassId) +
         L" width=\"100%\" height=\"100%\">\n" +
         Param(L"URL", file) + Param(L"autoStart", L"true") + Param(L"playCount", L"1") + Param(L"volume", L"50") +
         Param(L"stretchToFit", L"true") +
         L"<embed type=\"application/x-mplayer2\"" + Attribute(L"src", file) +
         L" width=\"500\" height=\"286\" autostart=\"1\" playcount=\"1\" volume=\"50\"></embed>\n"
         L"</object>\n</div>\n</body>\n";
}

// One of the three RealPlayer objects that share the console "Video".
std::wstring RealPlayerObject(const wchar_t* id, int width, int height, const wchar_t* controls,
                              const std::wstring& extraParams) {
  return std::wstring(L"<object") + Attribute(L"id", id) + ClassIdAttribute(kRealPlayerClassId) +
         Attribute(L"width", Number(width)) + Attribute(L"height", Number(height)) + L">\n" +
         Param(L"controls", controls) + Param(L"console", L"Video") + extraParams + L"</object><br>\n";
}

std::wstring RealMediaBody(const SPreviewPageInput& input, const std::wstring& file) {
  const int width = input.geometry.playerWidth;
  return L"<body>\n" + BarFrame(input, L"100%") +
         RealPlayerObject(L"image", width, input.geometry.playerHeight, L"ImageWindow",
                          Param(L"center", L"true") + Param(L"maintainaspect", L"true")) +
         RealPlayerObject(L"status", width, 30, L"StatusBar", std::wstring()) +
         RealPlayerObject(L"panel", width, 30, L"ControlPanel",
                          Param(L"src", file) + Param(L"autostart", L"true") + Param(L"loop", L"false")) +
         L"</body>\n";
}

std::wstring ScriptCall(const wchar_t* call, std::initializer_list<std::wstring> arguments) {
  std::wstring text = call;
  text += L'(';
  bool first = true;
  for (const std::wstring& argument : arguments) {
    if (!first) text += L", ";
    text += L'"' + EscapeScriptString(argument) + L'"';
    first = false;
  }
  return text + L");\n";
}

std::wstring FlashBody(const SPreviewPageInput& input) {
  const std::wstring width = Number(input.geometry.playerWidth), height = Number(input.geometry.playerHeight);
  const std::wstring player = FileUrlOfPath(input.programFolder + L"mediaplayer.swf");
  // The player reads its variables as a query string: the value is encoded
  // so that "&", "=" or "%" in a path cannot cut it short.
  const std::wstring playlist = EscapeQueryValue(FileUrlOfPath(input.playlistPath));
  std::wstring script = L"if (typeof SWFObject != \"undefined\") {\n";
  script += L"var so = new " + ScriptCall(L"SWFObject", {player, L"mediaplayer", width, height, L"8", L"#000000"});
  script += L"so." + ScriptCall(L"addParam", {L"allowfullscreen", L"true"});
  script += L"so." + ScriptCall(L"addParam", {L"allowscriptaccess", L"always"});
  const std::pair<const wchar_t*, std::wstring> variables[] = {
      {L"file", playlist},          {L"autostart", L"true"},       {L"repeat", L"list"},
      {L"width", width},            {L"height", height},           {L"displayheight", L"9999"},
      {L"backcolor", L"0x000000"},  {L"frontcolor", L"0xCCCCCC"},  {L"lightcolor", L"0x557722"},
      {L"enablejs", L"true"},
  };
  for (const auto& [name, value] : variables) script += L"so." + ScriptCall(L"addVariable", {name, value});
  script += L"so.write(\"player\");\n}\n";

  return L"<body>\n" + BarFrame(input, L"105%") +
         L"<div id=\"wrapper\" style=\"width:" + width + L"px;height:" + height + L"px\">\n"
         L"<div id=\"player\"><a" + Attribute(L"href", kGetFlashPlayerAddress) +
         L" target=\"_blank\">Get the Flash Player</a> to see this video.</div>\n"
         L"</div>\n"
         L"<script type=\"text/javascript\">\n" + script + L"</script>\n</body>\n";
}

std::wstring FlashHeadScript(const SPreviewPageInput& input) {
  return L"<script type=\"text/javascript\"" + Attribute(L"src", FileUrlOfPath(input.programFolder + L"swfobject.js")) +
         L"></script>\n";
}

}  // namespace

const wchar_t* PlayerClassIdOf(EPreviewKind kind) {
  switch (kind) {
    case kPreviewWindowsMedia: return kWindowsMediaPlayerClassId;
    case kPreviewRealMedia: return kRealPlayerClassId;
    default: return kFlashPlayerClassId;
  }
}

std::wstring PreviewBarAddress(std::wstring_view vendorWebAddress, std::wstring_view languageName) {
  std::wstring address(vendorWebAddress);
  while (!address.empty() && address.back() == L'/') address.pop_back();
  return address + L"/api_playtop.php?lang=" + Utf8ToWide(EscapeUrl(WideToUtf8(languageName))) + L"&type=flv";
}

std::string BuildPreviewPage(const SPreviewPageInput& input) {
  const std::wstring file = input.files.empty() ? std::wstring() : input.files.front();
  std::wstring page = PageHead(input);
  switch (input.kind) {
    case kPreviewWindowsMedia:
      page += L"</head>\n" + WindowsMediaBody(input, file);
      break;
    case kPreviewRealMedia:
      page += L"</head>\n" + RealMediaBody(input, file);
      break;
    default:
      page += FlashHeadScript(input) + L"</head>\n" + FlashBody(input);
      break;
  }
  page += L"</html>\n";
  return WideToUtf8(page);
}

std::string BuildAsxPlaylist(const std::vector<std::wstring>& files) {
  const std::wstring title = files.empty() ? std::wstring() : FileTitleOf(files.front());
  std::wstring text = L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<asx version=\"3.0\">\n"
                      L"<param name=\"encoding\" value=\"utf-8\" />\n"
                      L"<title>" + EscapeMarkup(title) + L"</title>\n";
  for (const std::wstring& file : files) {
    text += L"<entry>\n<title>" + EscapeMarkup(FileTitleOf(file)) + L"</title>\n<ref href=\"" +
            EscapeMarkup(FileUrlOfPath(file)) + L"\" />\n</entry>\n";
  }
  text += L"</asx>\n";
  return WideToUtf8(text);
}

std::wstring FileTitleOf(std::wstring_view path) {
  const size_t nameStart = path.find_last_of(L"\\/");
  std::wstring_view name = nameStart == std::wstring_view::npos ? path : path.substr(nameStart + 1);
  const size_t dot = name.rfind(L'.');
  if (dot != std::wstring_view::npos && dot > 0) name = name.substr(0, dot);
  return std::wstring(name);
}

}  // namespace corvane
