#pragma once
// The attribute values of skin.xml: number lists, rectangles and colours.
//
// Numbers are read the way "%i" reads them (optional sign, decimal, 0x hex
// or 0 octal), separated by single commas; reading stops at the first thing
// that does not fit, and the fields not reached keep the values they had.
// Values beyond the int range are clamped, so sums of them stay defined.
#include <cstdint>
#include <optional>
#include <string_view>

namespace corvane {

// int arithmetic without overflow (clamped): rectangles are built from
// numbers in the file, unchecked.
int AddClamped(int a, int b);
int SubClamped(int a, int b);
int ClampToInt(long long value);

// Four numbers as written, before any meaning is given to them.
struct SSkinQuad {
  int a = 0, b = 0, c = 0, d = 0;
  bool operator==(const SSkinQuad& o) const { return a == o.a && b == o.b && c == o.c && d == o.d; }
};

struct SSkinRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return SubClamped(right, left); }
  int Height() const { return SubClamped(bottom, top); }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const SSkinRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

// Colour in the system's order, 0x00BBGGRR.
using TSkinColour = uint32_t;

// Reads up to `count` (1 to 4) comma-separated numbers into quad.a, .b, ...
// Returns how many were read.
int ScanSkinNumbers(std::string_view text, int count, SSkinQuad& quad);

// "x,y,w,h" as a rectangle: left = x, top = y, right = x + w, bottom = y + h.
SSkinRect SkinRectFromRect(std::string_view text);
// "x,y" as a rectangle: left = x, top = y, right = bottom = 0.
SSkinRect SkinRectFromPoint(std::string_view text);

// One decimal number (leading blanks and a sign allowed, trailing text
// ignored); nothing when no digit starts the text.
std::optional<int> ScanSkinDecimal(std::string_view text);

// Exactly six hexadecimal digits RRGGBB; anything else gives nothing.
std::optional<TSkinColour> ParseSkinColour(std::string_view text);

}  // namespace corvane
