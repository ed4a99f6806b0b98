#include "base/http/ContentLength.h"

#include <gtest/gtest.h>

namespace Zorpa {
namespace {

TEST(ParseContentLength, DigitsUpToTheLargest64BitNumber) {
  uint64_t length = 7;
  ASSERT_TRUE(ParseContentLength(L"0", length));
  EXPECT_EQ(0u, length);
  ASSERT_TRUE(ParseContentLength(L"18446744073709551615", length));
  EXPECT_EQ(18446744073709551615u, length);
}

TEST(ParseContentLength, AnythingElseLeavesTheLengthAlone) {
  for (const wchar_t* text : {L"", L"18446744073709551616", L"99999999999999999999", L"-1", L"+1", L" 12",
                              L"12 ", L"1e3", L"0x10", L"\x0661"}) {
    uint64_t length = 7;
    EXPECT_FALSE(ParseContentLength(text, length)) << "value: " << testing::PrintToString(std::wstring(text));
    EXPECT_EQ(7u, length);
  }
}

}  // namespace
}  // namespace Zorpa
