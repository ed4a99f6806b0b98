#include "base/F3DDateTime.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

// 2026-12-07 13:45:10 local time with 7 ms, 89 us and 300 ns on top.
CF3DDateTime Sample() {
  CF3DDateTime value;
  EXPECT_TRUE(value.Build(L"Dec", 7, L"2026 13:45:10"));
  return CF3DDateTime(value.FileTime() + 70000 + 890 + 3);
}

}  // namespace

TEST(F3DDateTime, BuiltLocalTimeFormatsBackTheSame) {
  EXPECT_EQ(Sample().Format(L"%Y-%m-%d %H:%M:%S"), L"2026-12-07 13:45:10");
}

TEST(F3DDateTime, BuildWithoutTimeIsMidnight) {
  CF3DDateTime value;
  ASSERT_TRUE(value.Build(L"Feb", 29, L"2024"));
  EXPECT_EQ(value.Format(L"%d.%m.%Y %H:%M:%S"), L"29.02.2024 00:00:00");
}

TEST(F3DDateTime, BuildRejectsWhatItCannotRead) {
  CF3DDateTime value(12345);
  EXPECT_FALSE(value.Build(L"Foo", 1, L"2026"));
  EXPECT_FALSE(value.Build(L"dec", 1, L"2026"));  // the abbreviations are exact
  EXPECT_FALSE(value.Build(L"Jan", 0, L"2026"));
  EXPECT_FALSE(value.Build(L"Jan", 1, L"year"));
  EXPECT_FALSE(value.Build(L"Jan", 1, L"2026 25:00:00"));
  EXPECT_FALSE(value.Build(L"Jan", 1, L"2026 12:00"));
  EXPECT_EQ(value.FileTime(), 12345);
}

TEST(F3DDateTime, SubSecondDirectivesAreRewritten) {
  const CF3DDateTime value = Sample();
  EXPECT_EQ(value.Milliseconds(), 7);
  EXPECT_EQ(value.Microseconds(), 89);
  EXPECT_EQ(value.Nanoseconds(), 300);
  const struct {
    const wchar_t* format;
    const wchar_t* text;
  } table[] = {
      {L"%s", L"007"},   {L"%#s", L"7"},  {L"%u", L"089"}, {L"%#u", L"89"},
      {L"%n", L"300"},   {L"%#n", L"300"},
      {L"%H:%M:%S.%s", L"13:45:10.007"},
      {L"%%s", L"%s"},                       // an escaped percent is no directive
      {L"[%q]", L"[%q]"},                    // unknown directives stay as written
      {L"end%", L"end%"},
  };
  for (const auto& row : table) EXPECT_EQ(value.Format(row.format), row.text) << row.format;
}

TEST(F3DDateTime, DefaultLogStampHasTheExpectedShape) {
  EXPECT_EQ(Sample().Format(L"%m/%d/%Y %H:%M:%S.%s"), L"12/07/2026 13:45:10.007");
}

TEST(F3DDateTime, ValuesOutsideTheConvertibleRangeAreInvalid) {
  EXPECT_EQ(CF3DDateTime(0).Format(L"%Y"), L"Invalid datetime");                 // 1601
  EXPECT_EQ(CF3DDateTime(-5).Format(L"%Y"), L"Invalid datetime");
  EXPECT_EQ(CF3DDateTime::FromUnixTime(32535215999LL + 1).Format(L"%Y"), L"Invalid datetime");
  EXPECT_NE(CF3DDateTime::FromUnixTime(86400 * 2).Format(L"%Y"), L"Invalid datetime");
}

TEST(F3DDateTime, NowIsOnTheFileTimeScale) {
  const CF3DDateTime now = CF3DDateTime::Now();
  // After 2020-01-01 (132223104000000000) and formatted as a real year.
  EXPECT_GT(now.FileTime(), 132223104000000000LL);
  EXPECT_GE(std::stoi(now.Format(L"%Y")), 2020);
}
