#include "app/InstanceWindow.h"

namespace corvane {
namespace {

constexpr UINT kAnswerTimeoutMs = 2000;

struct SSearch {
  const std::wstring* className;
  UINT message;
  HWND found;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<SSearch*>(param);
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
  if (length <= 0 || *search->className != std::wstring(name, static_cast<size_t>(length))) return TRUE;
  DWORD_PTR reply = 0;
  if (!SendMessageTimeoutW(window, search->message, /*wParam=*/0, /*lParam=*/0, SMTO_BLOCK | SMTO_ABORTIFHUNG,
                           kAnswerTimeoutMs, &reply))
    return TRUE;
  if (reply != search->message) return TRUE;
  search->found = window;
  return FALSE;  // stop the enumeration
}

}  // namespace

HWND FindInstanceWindow(const std::wstring& className, UINT message) {
  if (message == 0) return nullptr;  // registration failed: nothing can answer
  SSearch search{&className, message, nullptr};
  EnumWindows(&CheckWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace corvane
