#include "base/http/UrlParts.h"

#include <gtest/gtest.h>

#include "ParamName.h"

using namespace Zorpa;

namespace {

struct SSplitCase {
  const wchar_t* url;
  const wchar_t* scheme;  // nullptr = no scheme
  const wchar_t* host;
  const wchar_t* port;    // nullptr = no port part
  const wchar_t* path;
  const wchar_t* query;
  const wchar_t* fragment;
};

std::wstring Text(const wchar_t* url, const CUrlRange& range) {
  return std::wstring(range.Of(url));
}

class SplitUrlTable : public ::testing::TestWithParam<SSplitCase> {};

TEST_P(SplitUrlTable, GivesEveryPartAsARangeOfTheText) {
  const SSplitCase& c = GetParam();
  const CUrlParts parts = SplitUrl(c.url);
  EXPECT_EQ(parts.scheme.present, c.scheme != nullptr);
  if (c.scheme) {
    EXPECT_EQ(Text(c.url, parts.scheme), c.scheme);
  }
  EXPECT_EQ(Text(c.url, parts.host), c.host);
  EXPECT_EQ(parts.port.present, c.port != nullptr);
  if (c.port) {
    EXPECT_EQ(Text(c.url, parts.port), c.port);
  }
  EXPECT_EQ(Text(c.url, parts.path), c.path);
  EXPECT_EQ(Text(c.url, parts.query), c.query);
  EXPECT_EQ(Text(c.url, parts.fragment), c.fragment);
}

INSTANTIATE_TEST_SUITE_P(
    Urls, SplitUrlTable,
    ::testing::Values(
        SSplitCase{L"http://host/p?a=1#f", L"http", L"host", nullptr, L"/p", L"?a=1", L"#f"},
        SSplitCase{L"https://h:8443/x/y", L"https", L"h", L"8443", L"/x/y", L"", L""},
        SSplitCase{L"host.example/a", nullptr, L"host.example", nullptr, L"/a", L"", L""},
        SSplitCase{L"http://h?q=1", L"http", L"h", nullptr, L"", L"?q=1", L""},
        SSplitCase{L"http://h#frag?notquery", L"http", L"h", nullptr, L"", L"", L"#frag?notquery"},
        SSplitCase{L"http://h:/p", L"http", L"h", L"", L"/p", L"", L""},
        SSplitCase{L"http://:80/p", L"http", L"", L"80", L"/p", L"", L""},
        // The first ":" of the authority starts the port, a later one belongs to it.
        SSplitCase{L"http://h:1:2/p", L"http", L"h", L"1:2", L"/p", L"", L""},
        // A colon in the path does not make a port.
        SSplitCase{L"http://h/a:b", L"http", L"h", nullptr, L"/a:b", L"", L""},
        SSplitCase{L"", nullptr, L"", nullptr, L"", L"", L""}),
    CASE_NAME_BY(url));

TEST(PrepareRequest, HttpsWithoutPortIsSecureOn443) {
  const auto target = PrepareRequest(L"https://example.test/pkg.zip", false);
  ASSERT_TRUE(target);
  EXPECT_EQ(target->port, 443u);
  EXPECT_TRUE(target->secure);
  EXPECT_EQ(target->flags, kFlagsNoCache | kFlagSecure);
  EXPECT_EQ(target->host, L"example.test");
}

TEST(PrepareRequest, CapitalHttpsWithPortKeepsPortAndSecureFlag) {
  const auto target = PrepareRequest(L"HTTPS://h:8443/", true);
  ASSERT_TRUE(target);
  EXPECT_EQ(target->port, 8443u);
  EXPECT_TRUE(target->secure);
  EXPECT_EQ(target->flags, kFlagsUseCache | kFlagSecure);
}

TEST(PrepareRequest, PlainHttpAndSchemelessUrlsUsePort80WithoutSecureFlag) {
  for (const wchar_t* url : {L"http://h/x", L"h/x", L"httpsx://h/x", L"http://h:/x"}) {
    const auto target = PrepareRequest(url, false);
    ASSERT_TRUE(target) << url;
    EXPECT_EQ(target->port, 80u) << url;
    EXPECT_FALSE(target->secure) << url;
    EXPECT_EQ(target->flags, kFlagsNoCache) << url;
  }
}

TEST(PrepareRequest, BadPortsAndEmptyHostsGiveNoTarget) {
  for (const wchar_t* url : {L"http://h:99999/", L"http://h:12ab/", L"http://h:123456/", L"http://h:-1/",
                             L"http://h: 80/", L"http:///x", L"http://:80/x", L"", L"https://?a=1"}) {
    EXPECT_FALSE(PrepareRequest(url, false)) << url;
  }
}

TEST(PrepareRequest, PortBoundariesAreInclusive) {
  EXPECT_EQ(PrepareRequest(L"http://h:0/", false)->port, 0u);
  EXPECT_EQ(PrepareRequest(L"http://h:65535/", false)->port, 65535u);
  EXPECT_FALSE(PrepareRequest(L"http://h:65536/", false));
  EXPECT_EQ(PrepareRequest(L"http://h:00080/", false)->port, 80u);
}

struct SObjectCase {
  const wchar_t* url;
  const wchar_t* object;
};

class ObjectNameTable : public ::testing::TestWithParam<SObjectCase> {};

TEST_P(ObjectNameTable, RequestsTheRestOfTheUrlOrSlash) {
  const auto target = PrepareRequest(GetParam().url, false);
  ASSERT_TRUE(target);
  EXPECT_EQ(target->objectName, GetParam().object);
}

INSTANTIATE_TEST_SUITE_P(Urls, ObjectNameTable,
                         ::testing::Values(SObjectCase{L"http://h", L"/"}, SObjectCase{L"http://h/", L"/"},
                                           SObjectCase{L"http://h?a=1", L"/?a=1"},
                                           SObjectCase{L"http://h/p?a=1#f", L"/p?a=1#f"},
                                           SObjectCase{L"http://h#f", L"/#f"},
                                           SObjectCase{L"http://h:81/a/b%20c.zip", L"/a/b%20c.zip"}),
                         CASE_NAME_BY(url));

}  // namespace
