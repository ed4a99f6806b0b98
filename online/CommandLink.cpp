#include "online/CommandLink.h"

#include <cwctype>

#include "base/TrimBlanks.h"

namespace corvane {
namespace {

constexpr wchar_t kScheme[] = L"tavrel:";
constexpr wchar_t kElementEnd[] = L"</element>";
constexpr wchar_t kBrowserStart[] = L"<browser>";
constexpr wchar_t kBrowserEnd[] = L"</browser>";

}  // namespace

bool IsCommandLink(const std::wstring& url) {
  const size_t length = sizeof kScheme / sizeof kScheme[0] - 1;
  if (url.size() < length) return false;
  for (size_t i = 0; i < length; ++i) {
    if (std::towlower(static_cast<wint_t>(url[i])) != static_cast<wint_t>(kScheme[i])) return false;
  }
  return true;
}

std::optional<SCommandLink> ParseCommandLink(const std::wstring& url) {
  if (!IsCommandLink(url)) return std::nullopt;
  const size_t equals = url.find(L'=');
  if (equals == std::wstring::npos) return std::nullopt;
  const std::wstring body = url.substr(equals + 1);
  const size_t arrow = body.find(L'>');
  if (arrow == std::wstring::npos) return std::nullopt;
  SCommandLink link;
  link.command = TrimBlanks(body.substr(0, arrow));
  const size_t end = body.find(kElementEnd, arrow + 1);
  link.argument = TrimBlanks(body.substr(arrow + 1, end == std::wstring::npos ? std::wstring::npos : end - arrow - 1));
  if (end != std::wstring::npos) {
    const size_t browser = body.find(kBrowserStart, end);
    if (browser != std::wstring::npos) {
      const size_t start = browser + (sizeof kBrowserStart / sizeof kBrowserStart[0] - 1);
      const size_t stop = body.find(kBrowserEnd, start);
      link.browser = body.substr(start, stop == std::wstring::npos ? std::wstring::npos : stop - start);
    }
  }
  return link;
}

}  // namespace corvane
