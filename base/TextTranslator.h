#pragma once
// The foundation's door to the language manager.
//
// The few user-visible texts built down here (the "Version:" label) pass
// through a translator that the language manager installs at start-up. Until
// then, and in programs without language packs, texts stay as written.
#include <functional>
#include <string>

namespace corvane {

using TextTranslator = std::function<std::wstring(const std::wstring&)>;

// Installs the translator; an empty function restores the identity.
void SetTextTranslator(TextTranslator translator);

// The text in the current language (the text itself without a translator).
std::wstring TranslateText(const std::wstring& text);

}  // namespace corvane
