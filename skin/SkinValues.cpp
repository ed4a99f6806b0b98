#include "skin/SkinValues.h"

#include <cctype>
#include <climits>
#include <cstdint>
#include <string>

namespace corvane {
namespace {

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// One number at text[pos] as "%i" (base 0) or "%d" (base 10) reads it; pos
// moves past it. Nothing when no digit follows the blanks and sign.
std::optional<int> ScanNumber(std::string_view text, size_t& pos, int base) {
  size_t i = pos;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (base == 0) {
    base = 10;
    if (i < text.size() && text[i] == '0') {
      base = 8;
      // "0x" counts as a prefix only when a hex digit follows.
      if (i + 2 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X') && DigitValue(text[i + 2]) < 16) {
        base = 16;
        i += 2;
      }
    }
  }
  const size_t first = i;
  long long value = 0;
  for (; i < text.size() && DigitValue(text[i]) < base; ++i) {
    if (value <= LLONG_MAX / 64) value = value * base + DigitValue(text[i]);
  }
  if (i == first) return std::nullopt;
  pos = i;
  return ClampToInt(negative ? -value : value);
}

}  // namespace

int ClampToInt(long long v) {
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

int AddClamped(int a, int b) { return ClampToInt(static_cast<long long>(a) + b); }
int SubClamped(int a, int b) { return ClampToInt(static_cast<long long>(a) - b); }

int ScanSkinNumbers(std::string_view text, int count, SSkinQuad& quad) {
  int* fields[] = {&quad.a, &quad.b, &quad.c, &quad.d};
  size_t pos = 0;
  for (int n = 0; n < count && n < 4; ++n) {
    if (n > 0) {
      if (pos >= text.size() || text[pos] != ',') return n;
      ++pos;
    }
    const std::optional<int> value = ScanNumber(text, pos, 0);
    if (!value) return n;
    *fields[n] = *value;
  }
  return count < 4 ? count : 4;
}

SSkinRect SkinRectFromRect(std::string_view text) {
  SSkinQuad q;
  ScanSkinNumbers(text, 4, q);
  return SSkinRect{q.a, q.b, AddClamped(q.a, q.c), AddClamped(q.b, q.d)};
}

SSkinRect SkinRectFromPoint(std::string_view text) {
  SSkinQuad q;
  ScanSkinNumbers(text, 2, q);
  return SSkinRect{q.a, q.b, 0, 0};
}

std::optional<int> ScanSkinDecimal(std::string_view text) {
  size_t pos = 0;
  return ScanNumber(text, pos, 10);
}

std::optional<TSkinColour> ParseSkinColour(std::string_view text) {
  if (text.size() != 6) return std::nullopt;
  TSkinColour rgb = 0;
  for (char c : text) {
    const int digit = DigitValue(c);
    if (digit >= 16) return std::nullopt;
    rgb = rgb << 4 | static_cast<TSkinColour>(digit);
  }
  // RRGGBB as written, 0x00BBGGRR as stored.
  return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
}

}  // namespace corvane
