#include "updater/BrowserCommand.h"

namespace corvane {

std::wstring BrowserCommandLine(std::wstring_view command, std::wstring_view url) {
  size_t cut = command.find(L"\"%1\"");
  if (cut == std::wstring_view::npos) cut = command.find(L"%1");
  std::wstring line(command.substr(0, cut));
  line += L' ';
  line += url;
  return line;
}

}  // namespace corvane
