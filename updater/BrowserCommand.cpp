#include "updater/BrowserCommand.h"

namespace corvane {
namespace {

// The URL as one quoted argument: a blank or quote inside it is written in
// its percent form, so the browser gets one address and nothing else.
std::wstring QuotedUrl(std::wstring_view url) {
  std::wstring quoted = L"\"";
  for (wchar_t c : url) {
    if (c == L' ') {
      quoted += L"%20";
    } else if (c == L'"') {
      quoted += L"%22";
    } else {
      quoted += c;
    }
  }
  return quoted + L"\"";
}

}  // namespace

std::wstring BrowserCommandLine(std::wstring_view command, std::wstring_view url) {
  size_t cut = command.find(L"\"%1\"");
  if (cut == std::wstring_view::npos) cut = command.find(L"%1");
  std::wstring line(command.substr(0, cut));
  line += L' ';
  line += QuotedUrl(url);
  return line;
}

}  // namespace corvane
