#include "settings/PreferenceValue.h"

namespace corvane {
namespace {

void AppendUnit(TByteVector& out, uint16_t unit) {
  out.push_back(static_cast<uint8_t>(unit & 0xFF));
  out.push_back(static_cast<uint8_t>(unit >> 8));
}

// Natively wchar_t holds whole code points: outside the BMP they become a
// surrogate pair so the bytes match what Windows would store.
void AppendCodePoint(TByteVector& out, uint32_t cp) {
  if (cp >= 0x10000 && cp <= 0x10FFFF) {
    cp -= 0x10000;
    AppendUnit(out, static_cast<uint16_t>(0xD800 + (cp >> 10)));
    AppendUnit(out, static_cast<uint16_t>(0xDC00 + (cp & 0x3FF)));
    return;
  }
  AppendUnit(out, static_cast<uint16_t>(cp > 0xFFFF ? 0xFFFD : cp));
}

}  // namespace

TByteVector EncodeStringValue(const std::wstring& text) {
  TByteVector out;
  out.reserve(2 * (text.size() + 1));
  for (wchar_t c : text) AppendCodePoint(out, static_cast<uint32_t>(c));
  AppendUnit(out, 0);
  return out;
}

std::wstring DecodeStringValue(const TByteVector& bytes) {
  std::wstring text;
  const size_t units = bytes.size() / 2;
  for (size_t i = 0; i < units; ++i) {
    uint32_t unit = bytes[2 * i] | (uint32_t(bytes[2 * i + 1]) << 8);
    if (unit == 0) break;
    if constexpr (sizeof(wchar_t) == 4) {
      // Join a surrogate pair back into one code point.
      if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units) {
        uint32_t low = bytes[2 * i + 2] | (uint32_t(bytes[2 * i + 3]) << 8);
        if (low >= 0xDC00 && low < 0xE000) {
          text.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
          ++i;
          continue;
        }
      }
    }
    text.push_back(static_cast<wchar_t>(unit));
  }
  return text;
}

TByteVector EncodeIntValue(int32_t value) {
  const uint32_t u = static_cast<uint32_t>(value);
  return {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8), static_cast<uint8_t>(u >> 16),
          static_cast<uint8_t>(u >> 24)};
}

std::wstring StringOrDefault(const std::optional<TByteVector>& stored, const std::wstring& fallback) {
  if (!stored) return fallback;
  std::wstring text = DecodeStringValue(*stored);
  return text.empty() ? fallback : text;
}

int32_t IntOrDefault(const std::optional<TByteVector>& stored, int32_t fallback) {
  if (!stored || stored->size() > 4) return fallback;
  uint32_t value = 0;
  for (size_t i = 0; i < stored->size(); ++i) value |= uint32_t((*stored)[i]) << (8 * i);
  return static_cast<int32_t>(value);
}

}  // namespace corvane
