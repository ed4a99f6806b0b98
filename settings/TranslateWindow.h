#pragma once
// Re-translating whole window trees after a language switch (Windows only:
// include from _win.cpp files).
#include <windows.h>

#include <string>

#include "settings/MultiLanguage.h"

namespace corvane {

// Translates `window` and all its descendants with `manager`: window texts
// (not those of combo boxes and edit fields, which hold user data),
// toolbar buttons, rebar bands, tabs, list-view headers, the window's menu
// (a text with a tab is translated on both sides of the first tab), and the
// captions of the program's link and image-button controls. Does nothing
// when the current language is the previous one.
void TranslateWindow(const CMultiLanguage& manager, HWND window);
// With the process's manager.
void TranslateWindow(HWND window);

// The menu part alone (the window calls DrawMenuBar afterwards).
void TranslateMenu(const CMultiLanguage& manager, HMENU menu);
// A menu item text: both sides of the first tab translated separately.
std::wstring TranslateMenuText(const CMultiLanguage& manager, const std::wstring& text);

}  // namespace corvane
