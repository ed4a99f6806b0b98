#include "updater/ByteSize.h"

#include <gtest/gtest.h>

#include "ParamName.h"

#include "updater/SpeedMeter.h"

using namespace corvane;

namespace {

struct SSizeCase {
  uint64_t count;
  const wchar_t* text;
};

class FormatByteSizeTable : public ::testing::TestWithParam<SSizeCase> {};

TEST_P(FormatByteSizeTable, PicksTheLargestFittingUnit) {
  EXPECT_EQ(FormatByteSize(GetParam().count), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, FormatByteSizeTable,
    ::testing::Values(SSizeCase{0, L"0 bytes"}, SSizeCase{1023, L"1023 bytes"}, SSizeCase{1024, L"1.00 KB"},
                      SSizeCase{1536, L"1.50 KB"}, SSizeCase{1048575, L"1024.00 KB"},
                      SSizeCase{1048576, L"1.00 MB"}, SSizeCase{1073741823, L"1024.00 MB"},
                      SSizeCase{1073741824, L"1.00 GB"}, SSizeCase{uint64_t{1} << 40, L"1.00 TB"},
                      SSizeCase{uint64_t{3} << 49, L"1.50 PB"}, SSizeCase{uint64_t{1} << 60, L"1.00 EB"},
                      SSizeCase{UINT64_MAX, L"16.00 EB"}),
    CASE_NAME_BY(text));

struct SSpeedCase {
  float speed;
  const wchar_t* text;
};

class FormatSpeedTable : public ::testing::TestWithParam<SSpeedCase> {};

TEST_P(FormatSpeedTable, ScalesAtTheBinaryBoundaries) { EXPECT_EQ(FormatSpeed(GetParam().speed), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Boundaries, FormatSpeedTable,
                         ::testing::Values(SSpeedCase{500.0f, L"500 bytes/S"}, SSpeedCase{1023.4f, L"1023 bytes/S"},
                                           SSpeedCase{1024.0f, L"1.00 KB/S"}, SSpeedCase{204800.0f, L"200.00 KB/S"},
                                           SSpeedCase{1048575.0f, L"1024.00 KB/S"},
                                           SSpeedCase{1048576.0f, L"1.00 MB/S"},
                                           SSpeedCase{3.0f * 1048576.0f, L"3.00 MB/S"}),
                         CASE_NAME_BY(text));

TEST(DownloadStatus, FirstChunkOfAMebibyteShowsZeroPercentAndNoSpeed) {
  const std::wstring text = FormatDownloadStatus(10240, 1048576, 0.0f);
  EXPECT_EQ(text, L"10240/1048576B  0%" + std::wstring(38, L' '));
  EXPECT_EQ(DownloadProgressPosition(10240, 1048576), 0);
}

TEST(DownloadStatus, SpeedFollowsTheBlanksOnceAtLeastOneBytePerSecond) {
  EXPECT_EQ(FormatDownloadStatus(524288, 1048576, 204800.0f),
            L"524288/1048576B  50%" + std::wstring(38, L' ') + L"200.00 KB/S");
  EXPECT_EQ(FormatDownloadStatus(1, 2, 0.99f), L"1/2B  50%" + std::wstring(38, L' '));
}

TEST(DownloadStatus, ZeroTotalReadsZeroPercentInsteadOfDividingByZero) {
  EXPECT_EQ(FormatDownloadStatus(0, 0, 0.0f), L"0/0B  0%" + std::wstring(38, L' '));
  EXPECT_EQ(DownloadProgressPosition(100, 0), 0);
}

// Packages past 4 GiB: neither the counts nor the bar may wrap at 32 bits.
TEST(DownloadStatus, SizesAndPositionUseAllSixtyFourBits) {
  const uint64_t total = (uint64_t{1} << 32) + 100;  // low 32 bits: 100
  EXPECT_EQ(FormatDownloadStatus(uint64_t{1} << 31, total, 0.0f).substr(0, 27), L"2147483648/4294967396B  49%");
  EXPECT_EQ(DownloadProgressPosition(uint64_t{1} << 31, total), 49);
  EXPECT_EQ(DownloadProgressPosition(total - 1, total), 99);
  EXPECT_EQ(DownloadProgressPosition(total, total), 100);
  // Where received * 100 no longer fits 64 bits.
  EXPECT_EQ(DownloadProgressPosition(UINT64_MAX / 2, UINT64_MAX), 49);
  EXPECT_EQ(DownloadProgressPosition(UINT64_MAX - 1, UINT64_MAX), 99);
}

TEST(DownloadStatus, ProgressPositionTruncatesTowardsZero) {
  EXPECT_EQ(DownloadProgressPosition(1048575, 1048576), 99);
  EXPECT_EQ(DownloadProgressPosition(1048576, 1048576), 100);
  EXPECT_EQ(DownloadProgressPosition(0, 1048576), 0);
  EXPECT_EQ(DownloadProgressPosition(1, 3), 33);
}

TEST(DownloadStatus, UrlLosesItsQueryOnlyForShow) {
  EXPECT_EQ(UrlWithoutQuery(L"a/b.zip?x=1"), L"a/b.zip");
  EXPECT_EQ(UrlWithoutQuery(L"http://h/p.zip?a?b"), L"http://h/p.zip");
  EXPECT_EQ(UrlWithoutQuery(L"http://h/p.zip"), L"http://h/p.zip");
}

TEST(SpeedMeter, StaysZeroUntilASecondHasGathered) {
  SpeedMeter meter;
  meter.Update(400, 1000);
  meter.Update(599, 2000);
  EXPECT_EQ(meter.BytesPerSecond(), 0.0f);
  meter.Update(1, 3000);
  EXPECT_FLOAT_EQ(meter.BytesPerSecond(), 3000.0f);
}

TEST(SpeedMeter, CarriesTheTimePastTheFullSecond) {
  SpeedMeter meter;
  meter.Update(1500, 204800);  // 500 ms carried over
  EXPECT_FLOAT_EQ(meter.BytesPerSecond(), 204800.0f * 1000.0f / 1500.0f);
  meter.Update(400, 300000);   // 900 ms gathered: no new figure
  EXPECT_FLOAT_EQ(meter.BytesPerSecond(), 204800.0f * 1000.0f / 1500.0f);
  meter.Update(100, 409600);   // exactly 1000 ms since the last figure
  EXPECT_FLOAT_EQ(meter.BytesPerSecond(), 204800.0f);
}

TEST(SpeedMeter, ResetStartsAFreshAttempt) {
  SpeedMeter meter;
  meter.Update(1000, 5000);
  meter.Reset();
  meter.Update(1000, 1000);
  EXPECT_FLOAT_EQ(meter.BytesPerSecond(), 1000.0f);
}

}  // namespace
