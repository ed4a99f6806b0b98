#include "app/PropertyTexts.h"

#include <cwchar>

namespace corvane {
namespace {

std::wstring Formatted(const wchar_t* format, double value) {
  if (value == 0) return std::wstring();
  wchar_t text[64];
  std::swprintf(text, 64, format, value);
  return text;
}

}  // namespace

std::wstring BitrateText(const SVideoPropertyInfo& info) { return Formatted(L"%.2f kb/s", info.bitrate); }

std::wstring AudioBitrateText(const SVideoPropertyInfo& info) { return Formatted(L"%.2f kb/s", info.audioBitrate); }

std::wstring FrameRateText(const SVideoPropertyInfo& info) { return Formatted(L"%.2f fps", info.frameRate); }

std::wstring DimensionsText(const SVideoPropertyInfo& info, const std::wstring& pixelsWord) {
  if (info.width == 0 || info.height == 0) return std::wstring();
  return std::to_wstring(info.width) + L"x" + std::to_wstring(info.height) + L" " + pixelsWord;
}

}  // namespace corvane
