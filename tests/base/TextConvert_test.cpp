#include "base/TextConvert.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(TextConvert, Utf8RoundTripKeepsEveryPlane) {
  const std::wstring text = L"a\u00e9\u4e09\U0001F600z";
  const std::string utf8 = WideToUtf8(text);
  EXPECT_EQ(utf8, "a\xC3\xA9\xE4\xB8\x89\xF0\x9F\x98\x80z");
  EXPECT_EQ(Utf8ToWide(utf8), text);
}

TEST(TextConvert, MalformedUtf8BecomesReplacementCharacters) {
  // A truncated two-byte sequence, a stray continuation byte, an overlong slash.
  EXPECT_EQ(Utf8ToWide("a\xC3"), L"a\uFFFD");
  EXPECT_EQ(Utf8ToWide("\x80" "b"), L"\uFFFD" L"b");
  EXPECT_EQ(Utf8ToWide("\xC0\xAF"), L"\uFFFD");
  // An encoded surrogate is not a character.
  EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), L"\uFFFD");
}

TEST(TextConvert, TruncatedSequenceResynchronisesOnNextCharacter) {
  EXPECT_EQ(Utf8ToWide("\xE4\xB8" "x"), L"\uFFFD" L"x");
}

TEST(TextConvert, EmptyTextStaysEmpty) {
  EXPECT_EQ(Utf8ToWide(""), L"");
  EXPECT_EQ(WideToUtf8(L""), "");
  EXPECT_EQ(AnsiToWide(""), L"");
  EXPECT_EQ(WideToAnsi(L""), "");
}

TEST(TextConvert, AnsiRoundTripOfPlainAscii) {
  EXPECT_EQ(AnsiToWide("Duration: 00:00:10.00"), L"Duration: 00:00:10.00");
  EXPECT_EQ(WideToAnsi(L"time=00:00:01.00"), "time=00:00:01.00");
}
