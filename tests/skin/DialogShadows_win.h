#pragma once
// The drop-shadow windows a dialog owns (class "CorvaneShadow"), found among
// the top-level windows of every process.
#include <windows.h>

#include <string>
#include <vector>

namespace corvane::test {

inline std::vector<HWND> ShadowWindowsOf(HWND dialog) {
  struct SSearch {
    HWND dialog;
    std::vector<HWND> found;
  } search{dialog, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<SSearch*>(param);
        wchar_t name[32] = {};
        GetClassNameW(window, name, 32);
        if (GetWindow(window, GW_OWNER) == s->dialog && std::wstring(name) == L"CorvaneShadow") {
          s->found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace corvane::test
