#include "base/ResourcePageAddress.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

struct AddressCase {
  const char* name;
  std::wstring modulePath;
  std::wstring page;
  std::wstring expected;
};

class ResourcePageAddressTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(ResourcePageAddressTest, Builds) {
  EXPECT_EQ(ResourcePageAddress(GetParam().modulePath, GetParam().page), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResourcePageAddressTest,
    ::testing::Values(
        AddressCase{"Plain", L"C:\\Program Files\\Tavrel\\Corvane.exe", L"snap.htm",
                    L"res://C:\\Program Files\\Tavrel\\Corvane.exe/snap.htm"},
        AddressCase{"LongForm", L"\\\\?\\D:\\Apps\\Corvane.exe", L"snap.htm", L"res://D:\\Apps\\Corvane.exe/snap.htm"},
        AddressCase{"LongUnc", L"\\\\?\\UNC\\server\\share\\Corvane.exe", L"snap.htm",
                    L"res://\\\\server\\share\\Corvane.exe/snap.htm"},
        AddressCase{"Unc", L"\\\\server\\share\\Corvane.exe", L"snap.htm", L"res://\\\\server\\share\\Corvane.exe/snap.htm"},
        AddressCase{"NonAsciiKept", L"C:\\Vid\u00e9os\\\u5de5\\Corvane.exe", L"snap.htm",
                    L"res://C:\\Vid\u00e9os\\\u5de5\\Corvane.exe/snap.htm"},
        AddressCase{"NoPath", L"", L"snap.htm", L""},
        AddressCase{"NoPage", L"C:\\Corvane.exe", L"", L""}),
    [](const ::testing::TestParamInfo<AddressCase>& info) { return std::string(info.param.name); });

}  // namespace
