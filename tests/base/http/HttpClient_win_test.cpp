#include "base/http/HttpClient.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <cstring>
#include <string>

using namespace Zorpa;

namespace {

// Starts tests/base/http/http_test_server.py (a Linux program: Wine runs it
// directly) and reads back the port it listens on.
class LoopbackServer {
 public:
  LoopbackServer() {
    // The server is a Linux program: it gets Linux paths, this test reads
    // the same file through Wine's Z: drive.
    const std::wstring unixPortFile =
        L"/tmp/corvane-http-test-" + std::to_wstring(GetCurrentProcessId()) + L".port";
    m_portFile = UnixToWine(unixPortFile);
    DeleteFileW(m_portFile.c_str());
    const std::wstring script = Widen(CORVANE_TEST_DATA "/../base/http/http_test_server.py");
    std::wstring command = L"/usr/bin/python3 \"" + script + L"\" \"" + unixPortFile + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(L"Z:\\usr\\bin\\python3", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
      return;
    }
    CloseHandle(process.hThread);
    m_process = process.hProcess;
    for (int i = 0; i < 100 && m_port == 0; ++i) {
      Sleep(100);
      std::ifstream in{std::filesystem::path(m_portFile)};
      in >> m_port;
    }
  }
  ~LoopbackServer() {
    if (m_process) {
      TerminateProcess(m_process, 0);
      CloseHandle(m_process);
    }
    DeleteFileW(m_portFile.c_str());
  }
  unsigned Port() const { return m_port; }
  std::wstring Url(const wchar_t* path) const {
    return L"http://127.0.0.1:" + std::to_wstring(m_port) + path;
  }

 private:
  static std::wstring Widen(const char* text) { return std::wstring(text, text + strlen(text)); }
  static std::wstring UnixToWine(std::wstring path) {
    for (wchar_t& c : path) {
      if (c == L'/') c = L'\\';
    }
    return L"Z:" + path;
  }

  std::wstring m_portFile;
  HANDLE m_process = nullptr;
  unsigned m_port = 0;
};

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
