// Stored byte layouts: value read rules, "ColumnsInfo", window placement.
#include <gtest/gtest.h>

#include "settings/ColumnsInfo.h"
#include "settings/PreferenceValue.h"
#include "settings/WindowPlacementValue.h"

namespace corvane {
namespace {

TEST(PreferenceValueRules, IntFromShortValuesFillsFromTheLowEnd) {
  struct Case {
    TByteVector bytes;
    int32_t expected;
  };
  const Case cases[] = {
      {EncodeStringValue(L"1"), 0x31},  // REG_SZ "1": 31 00 00 00
      {{}, 0},                          // an empty value reads as zero
      {{0x7F}, 0x7F},
      {{0x34, 0x12}, 0x1234},
      {{0xFF, 0xFF, 0xFF, 0xFF}, -1},
      {EncodeIntValue(4096), 4096},
  };
  for (const Case& c : cases) EXPECT_EQ(IntOrDefault(c.bytes, -77), c.expected) << c.bytes.size();
}

TEST(PreferenceValueRules, IntFromLongerOrMissingValueGivesDefault) {
  EXPECT_EQ(IntOrDefault(EncodeStringValue(L"12"), 9), 9);  // 6 bytes
  EXPECT_EQ(IntOrDefault(TByteVector(5, 0), 9), 9);
  EXPECT_EQ(IntOrDefault(std::nullopt, 9), 9);
}

TEST(PreferenceValueRules, StringEmptyOrMissingGivesDefault) {
  EXPECT_EQ(StringOrDefault(EncodeStringValue(L""), L"c:\\VideoOutput"), L"c:\\VideoOutput");
  EXPECT_EQ(StringOrDefault(std::nullopt, L"d"), L"d");
  EXPECT_EQ(StringOrDefault(TByteVector{}, L"d"), L"d");
  EXPECT_EQ(StringOrDefault(EncodeStringValue(L"x:\\out"), L"d"), L"x:\\out");
}

TEST(PreferenceValueRules, StringIsCutAtFirstZeroAndOddByteIgnored) {
  TByteVector bytes = {'a', 0, 'b', 0, 0, 0, 'c', 0};
  EXPECT_EQ(DecodeStringValue(bytes), L"ab");
  bytes = {'a', 0, 'b'};
  EXPECT_EQ(DecodeStringValue(bytes), L"a");
  // Without a terminator the whole value is the text.
  EXPECT_EQ(DecodeStringValue({'o', 0, 'k', 0}), L"ok");
}

TEST(PreferenceValueRules, StringBytesAreUtf16LeWithTerminator) {
  const TByteVector bytes = EncodeStringValue(L"\u00e9\u4e2d");
  const TByteVector expected = {0xE9, 0x00, 0x2D, 0x4E, 0x00, 0x00};
  EXPECT_EQ(bytes, expected);
  const std::wstring outside = L"a\U0001F600b";
  EXPECT_EQ(EncodeStringValue(outside).size(), 2u * (outside.size() + 1 + (sizeof(wchar_t) == 4 ? 1 : 0)));
  EXPECT_EQ(DecodeStringValue(EncodeStringValue(outside)), outside);
}

TEST(ColumnsInfoCodec, ThreeColumnsMakeThirtyOneLittleEndianBytes) {
  const TColumnLayout layout = {{0, 200, 1}, {2, -1, 0}, {1, 0x01020304, 1}};
  const TByteVector bytes = EncodeColumnsInfo(layout);
  ASSERT_EQ(bytes.size(), 31u);
  const TByteVector expected = {3, 0, 0, 0,                                  //
                                0, 0, 0, 0, 200, 0, 0, 0, 1,                 //
                                2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0,       //
                                1, 0, 0, 0, 0x04, 0x03, 0x02, 0x01, 1};
  EXPECT_EQ(bytes, expected);
  TColumnLayout decoded;
  ASSERT_TRUE(DecodeColumnsInfo(bytes, decoded));
  EXPECT_EQ(decoded, layout);
}

TEST(ColumnsInfoCodec, EmptyLayoutIsTheCountZero) {
  const TByteVector bytes = EncodeColumnsInfo({});
  EXPECT_EQ(bytes, (TByteVector{0, 0, 0, 0}));
  TColumnLayout decoded = {{1, 2, 1}};
  ASSERT_TRUE(DecodeColumnsInfo(bytes, decoded));
  EXPECT_TRUE(decoded.empty());
}

TEST(ColumnsInfoCodec, MalformedValuesAreRejectedAndLayoutKept) {
  const TColumnLayout before = {{5, 55, 1}};
  TByteVector full = EncodeColumnsInfo({{0, 1, 1}, {1, 2, 1}});
  const TByteVector cases[] = {
      {},                                   // nothing
      {2, 0, 0},                            // count cut short
      TByteVector(full.begin(), full.end() - 1),  // last record one byte short
      {2, 0, 0, 0},                         // count without records
      {0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3},    // hostile count
  };
  for (const TByteVector& bytes : cases) {
    TColumnLayout layout = before;
    EXPECT_FALSE(DecodeColumnsInfo(bytes, layout)) << bytes.size();
    EXPECT_EQ(layout, before);
  }
}

TEST(ColumnsInfoCodec, TrailingBytesAfterTheRecordsAreIgnored) {
  TByteVector bytes = EncodeColumnsInfo({{3, 80, 0}});
  bytes.push_back(0xAB);
  TColumnLayout layout;
  ASSERT_TRUE(DecodeColumnsInfo(bytes, layout));
  EXPECT_EQ(layout, (TColumnLayout{{3, 80, 0}}));
}

TEST(WindowPlacementCodec, RoundTripsAllElevenFieldsInOrder) {
  SWindowPlacementValue p;
  p.flags = SWindowPlacementValue::kFlagRestoreToMaximized;
  p.showState = SWindowPlacementValue::kShowMaximized;
  p.minX = -1, p.minY = -2, p.maxX = 3, p.maxY = 4;
  p.left = 10, p.top = 20, p.right = 630, p.bottom = -480;
  const TByteVector bytes = EncodeWindowPlacement(p);
  ASSERT_EQ(bytes.size(), 44u);
  EXPECT_EQ(bytes[0], 44);
  EXPECT_EQ(bytes[4], 2);
  EXPECT_EQ(bytes[8], 3);
  EXPECT_EQ(bytes[12], 0xFF);  // minX = -1
  EXPECT_EQ(bytes[28], 10);    // left at offset 28
  EXPECT_EQ(bytes[36], 0x76);  // right = 630 = 0x276
  EXPECT_EQ(bytes[37], 0x02);
  SWindowPlacementValue back;
  ASSERT_TRUE(DecodeWindowPlacement(bytes, back));
  EXPECT_EQ(back, p);
}

TEST(WindowPlacementCodec, AnyOtherSizeIsIgnored) {
  SWindowPlacementValue kept;
  kept.left = 99;
  for (size_t size : {0u, 4u, 43u, 45u, 88u}) {
    SWindowPlacementValue p = kept;
    EXPECT_FALSE(DecodeWindowPlacement(TByteVector(size, 1), p)) << size;
    EXPECT_EQ(p, kept);
  }
}

}  // namespace
}  // namespace corvane
