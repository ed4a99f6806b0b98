#include "base/http/HttpClient.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <cstring>
#include <string>

#include "tests/base/http/LoopbackServer.h"

using namespace Zorpa;

namespace {

class HttpClientTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { s_server = new LoopbackServer(); }
  static void TearDownTestSuite() {
    delete s_server;
    s_server = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(s_server->Port(), 0u) << "the loopback server (python3) did not start";
  }
  static std::string ReadBody(CHttpResponse& response) {
    std::string body;
    char chunk[7];
    for (uint32_t n; (n = response.ReadChunk(chunk, sizeof(chunk))) > 0;) body.append(chunk, n);
    return body;
  }
  static LoopbackServer* s_server;
  CHttpClient client;
};

LoopbackServer* HttpClientTest::s_server = nullptr;

TEST_F(HttpClientTest, ContentLengthAndBodyInSmallChunks) {
  auto response = client.Get(s_server->Url(L"/headers"), false);
  ASSERT_TRUE(response);
  uint64_t length = 0;
  ASSERT_TRUE(response->ContentLength(length));
  EXPECT_EQ(length, 1234u);
  EXPECT_EQ(ReadBody(*response), std::string(1234, 'x'));
  char byte;
  EXPECT_EQ(response->ReadChunk(&byte, 1), 0u);  // stays at the end
}

TEST_F(HttpClientTest, HeaderLookupIgnoresCaseAndReachesLaterOccurrences) {
  auto response = client.Get(s_server->Url(L"/headers"), false);
  ASSERT_TRUE(response);
  const std::wstring* server = response->HeaderValue(L"server", 0);
  ASSERT_NE(server, nullptr);
  EXPECT_NE(server->find(L"Python"), std::wstring::npos);
  const std::wstring* second = response->HeaderValue(L"Set-Cookie", 1);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(*second, L"second=2");
  EXPECT_EQ(*response->HeaderValue(L"SET-COOKIE", 0), L"first=1");
  EXPECT_EQ(response->HeaderValue(L"Set-Cookie", 2), nullptr);
  EXPECT_EQ(response->HeaderValue(L"Expires", 0), nullptr);
  EXPECT_EQ(response->HeaderValue(L"Expires", 0), nullptr);
}

TEST_F(HttpClientTest, NoCacheRequestSendsCacheControl) {
  auto response = client.Get(s_server->Url(L"/headers"), false);
  ASSERT_TRUE(response);
  const std::wstring* seen = response->HeaderValue(L"X-Cache-Control-Seen", 0);
  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(*seen, L"no-cache");
}

TEST_F(HttpClientTest, ChunkedReplyHasNoContentLengthButAFullBody) {
  auto response = client.Get(s_server->Url(L"/chunked"), false);
  ASSERT_TRUE(response);
  uint64_t length = 99;
  EXPECT_FALSE(response->ContentLength(length));
  EXPECT_EQ(ReadBody(*response), "abcdefgh");
}

TEST_F(HttpClientTest, ObjectNameKeepsQueryAndGoesWithoutFragment) {
  auto response = client.Get(s_server->Url(L"/echo?a=1&b=%20"), false);
  ASSERT_TRUE(response);
  EXPECT_EQ(ReadBody(*response), "/echo?a=1&b=%20");
}

TEST_F(HttpClientTest, ResponseOutlivesItsClient) {
  std::unique_ptr<CHttpResponse> response;
  {
    CHttpClient shortLived;
    response = shortLived.Get(s_server->Url(L"/headers"), true);
  }
  ASSERT_TRUE(response);
  EXPECT_EQ(ReadBody(*response).size(), 1234u);
}

TEST(HttpClientGet, BadPortOrEmptyHostGivesNoResponse) {
  CHttpClient client;
  EXPECT_EQ(client.Get(L"http://127.0.0.1:99999/x", false), nullptr);
  EXPECT_EQ(client.Get(L"http://127.0.0.1:12ab/x", false), nullptr);
  EXPECT_EQ(client.Get(L"http:///x", false), nullptr);
}

TEST(HttpClientGet, ClosedPortRaisesSendError) {
  // Port 1 on the loopback: nothing listens, the connection is refused.
  CHttpClient client;
  try {
    client.Get(L"http://127.0.0.1:1/x", false);
    FAIL() << "no error raised";
  } catch (const httpclientexceptionA& e) {
    EXPECT_EQ(e.Code(), kErrHttpSendRequest);
    EXPECT_STREQ(e.what(), "::HttpSendRequest failed.");
    EXPECT_NE(e.Win32LastError(), 0u);
  }
}

}  // namespace
