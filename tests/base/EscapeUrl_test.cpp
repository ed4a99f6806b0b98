#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "base/EscapeUrl.h"

using namespace corvane;

namespace {

// The bytes that pass unchanged, written out rather than as ranges.
const std::string kKept =
    "!%'()*-./0123456789:ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz~";

std::string PercentForm(unsigned b) {
  char text[4];
  std::snprintf(text, sizeof text, "%%%02x", b);
  return text;
}

TEST(EscapeUrl, EveryByteValue) {
  for (unsigned b = 0; b < 256; ++b) {
    const std::string in(1, static_cast<char>(b));
    const bool kept = b != 0 && kKept.find(static_cast<char>(b)) != std::string::npos;
    EXPECT_EQ(EscapeUrl(in), kept ? in : PercentForm(b)) << "byte " << b;
  }
}

TEST(EscapeUrl, HexDigitsAreLowerCase) {
  EXPECT_EQ(EscapeUrl("\xff\xab\x7f\x1f"), "%ff%ab%7f%1f");
}

TEST(EscapeUrl, TypicalAddressAndUtf8) {
  EXPECT_EQ(EscapeUrl("http://host/v?id=3&t=a b"), "http://host/v%3fid%3d3%26t%3da%20b");
  EXPECT_EQ(EscapeUrl("\xc3\xa9"), "%c3%a9");  // "é" in UTF-8
  EXPECT_EQ(EscapeUrl("50%"), "50%");          // an existing percent is kept
  EXPECT_EQ(EscapeUrl(""), "");
}

TEST(EscapeUrl, ResultWithTerminatorMustFit2084Bytes) {
  EXPECT_EQ(EscapeUrl(std::string(2083, 'a')).size(), 2083u);
  EXPECT_EQ(EscapeUrl(std::string(2084, 'a')), "");
  // Escaping triples the length: 694 blanks give 2082 bytes, 695 give 2085.
  EXPECT_EQ(EscapeUrl(std::string(694, ' ')).size(), 2082u);
  EXPECT_EQ(EscapeUrl(std::string(695, ' ')), "");
  EXPECT_EQ(EscapeUrl(std::string(694, ' ') + "a").size(), 2083u);
  EXPECT_EQ(EscapeUrl(std::string(694, ' ') + "ab"), "");
  // The byte that does not fit is an escaped one: 2081 + 3 = 2084 > 2083.
  EXPECT_EQ(EscapeUrl(std::string(2081, 'a') + " "), "");
  EXPECT_EQ(EscapeUrl(std::string(2080, 'a') + " ").size(), 2083u);
}

}  // namespace
