#include "base/TextTranslator.h"

#include <utility>

namespace corvane {
namespace {

TextTranslator& Installed() {
  static TextTranslator translator;
  return translator;
}

}  // namespace

void SetTextTranslator(TextTranslator translator) { Installed() = std::move(translator); }

std::wstring TranslateText(const std::wstring& text) {
  const TextTranslator& translator = Installed();
  return translator ? translator(text) : text;
}

}  // namespace corvane
