#include "app/PreviewPage.h"

#include "app/MarkupEscape.h"
#include "base/EscapeUrl.h"
#include "base/TextConvert.h"

namespace corvane {
namespace {

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
std::wstring BarFrame(const SPreviewPageInput& input) {
  if (input.geometry.barHeight <= 0) return std::wstring();
  return L"<iframe id=\"bar\"" + Attribute(L"src", input.barAddress) + Attribute(L"width", L"100%") +
         Attribute(L"height", Number(input.geometry.barHeight)) +
         L" frameborder=\"0\" scrolling=\"no\" marginwidth=\"0\" marginheight=\"0\"></iframe>\n";
}

std::wstring ClassIdAttribute(const wchar_t* classId) { return Attribute(L"classid", std::wstring(L"clsid:") + classId); }

std::wstring WindowsMediaBody(const SPreviewPageInput& input, const std::wstring& file) {
  return L"<body>\n" + BarFrame(input) +
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
  return L"<body>\n" + BarFrame(input) +
         RealPlayerObject(L"image", width, input.geometry.playerHeight, L"ImageWindow",
                          Param(L"center", L"true") + Param(L"maintainaspect", L"true")) +
         RealPlayerObject(L"status", width, 30, L"StatusBar", std::wstring()) +
         RealPlayerObject(L"panel", width, 30, L"ControlPanel",
                          Param(L"src", file) + Param(L"autostart", L"true") + Param(L"loop", L"false")) +
         L"</body>\n";
}

}  // namespace

const wchar_t* PlayerClassIdOf(EPreviewKind kind) {
  switch (kind) {
    case kPreviewWindowsMedia: return kWindowsMediaPlayerClassId;
    case kPreviewRealMedia: return kRealPlayerClassId;
    default: return nullptr;
  }
}

std::wstring PreviewBarAddress(std::wstring_view vendorWebAddress, std::wstring_view languageName) {
  std::wstring address(vendorWebAddress);
  while (!address.empty() && address.back() == L'/') address.pop_back();
  return address + L"/api_playtop.php?lang=" + Utf8ToWide(EscapeUrl(WideToUtf8(languageName))) + L"&type=flv";
}

std::string BuildPreviewPage(const SPreviewPageInput& input) {
  const std::wstring file = input.files.empty() ? std::wstring() : input.files.front();
  std::wstring body;
  switch (input.kind) {
    case kPreviewWindowsMedia:
      body = WindowsMediaBody(input, file);
      break;
    case kPreviewRealMedia:
      body = RealMediaBody(input, file);
      break;
    default:
      return std::string();
  }
  return WideToUtf8(PageHead(input) + L"</head>\n" + body + L"</html>\n");
}

std::wstring FileTitleOf(std::wstring_view path) {
  const size_t nameStart = path.find_last_of(L"\\/");
  std::wstring_view name = nameStart == std::wstring_view::npos ? path : path.substr(nameStart + 1);
  const size_t dot = name.rfind(L'.');
  if (dot != std::wstring_view::npos && dot > 0) name = name.substr(0, dot);
  return std::wstring(name);
}

}  // namespace corvane
