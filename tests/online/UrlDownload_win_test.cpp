// The version file's download against a loopback server in this process
// that answers as told, or never: a stalled server must not keep the
// version check's thread (and so the program's exit) waiting, and no half
// file may ever take the version file's name.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "online/UrlDownload.h"
#include "online/VersionCheckWorker.h"

using namespace corvane;
using namespace std::chrono_literals;

namespace {

using DownloadClock = std::chrono::steady_clock;

// Listens on 127.0.0.1; each connection's request is read and answered with
// `reply`, then closed. An empty reply answers nothing: the connection is
// held open until the server goes.
class CScriptedServer {
 public:
  explicit CScriptedServer(std::string reply) : m_reply(std::move(reply)) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof(address);
    if (bind(m_listener, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(m_listener, 4) != 0 ||
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
      return;
    }
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { Serve(); });
  }
  ~CScriptedServer() {
    closesocket(m_listener);  // ends accept
    if (m_thread.joinable()) m_thread.join();
    for (SOCKET held : m_held) closesocket(held);
    WSACleanup();
  }
  CScriptedServer(const CScriptedServer&) = delete;
  CScriptedServer& operator=(const CScriptedServer&) = delete;

  std::wstring Url() const { return L"http://127.0.0.1:" + std::to_wstring(m_port) + L"/corvanever.ini"; }
  int Requests() const { return m_requests; }

 private:
  void Serve() {
    for (;;) {
      SOCKET connection = accept(m_listener, nullptr, nullptr);
      if (connection == INVALID_SOCKET) return;
      ++m_requests;
      if (m_reply.empty()) {
        m_held.push_back(connection);
        continue;
      }
      std::string request;
      char buffer[2048];
      while (request.find("\r\n\r\n") == std::string::npos) {
        const int got = recv(connection, buffer, sizeof(buffer), 0);
        if (got <= 0) break;
        request.append(buffer, got);
      }
      send(connection, m_reply.data(), static_cast<int>(m_reply.size()), 0);
      shutdown(connection, SD_BOTH);
      closesocket(connection);
    }
  }

  std::string m_reply;
  SOCKET m_listener = INVALID_SOCKET;
  unsigned m_port = 0;
  std::atomic<int> m_requests{0};
  std::vector<SOCKET> m_held;  // touched by the serving thread only until it is joined
  std::thread m_thread;
};

std::string Reply(const std::string& status, const std::string& body, size_t announced) {
  return "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(announced) +
         "\r\nConnection: close\r\n\r\n" + body;
}

class UrlDownloadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    m_folder = std::filesystem::path(temp) / (L"corvane-download-" + std::to_wstring(GetCurrentProcessId()));
    std::filesystem::create_directories(m_folder);
    m_file = (m_folder / L"corvanever.ini").wstring();
  }
  void TearDown() override { std::filesystem::remove_all(m_folder); }

  std::string FileText() const {
    std::ifstream in(std::filesystem::path(m_file), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  bool PartFileLeft() const { return std::filesystem::exists(m_file + L".part"); }

  std::filesystem::path m_folder;
  std::wstring m_file;
};

TEST_F(UrlDownloadTest, OnlyACompleteOkAnswerReplacesTheFile) {
  const std::string body = "[main]\r\nversion=2.3.0.0\r\n" + std::string(40000, 'x');
  {
    CScriptedServer server(Reply("200 OK", body, body.size()));
    CUrlDownloader downloader;
    ASSERT_TRUE(downloader.Download(server.Url(), m_file));
    EXPECT_EQ(FileText(), body);
    EXPECT_FALSE(PartFileLeft());
  }
  // Each failure leaves the complete file of before, and no part file.
  const struct {
    const char* what;
    std::string reply;
  } failures[] = {
      {"an error page", Reply("404 Not Found", "<html>gone</html>", 17)},
      {"a body that stops early", Reply("200 OK", "[main]\r\nversion=9", 4000)},
  };
  for (const auto& failure : failures) {
    CScriptedServer server(failure.reply);
    CUrlDownloader downloader;
    EXPECT_FALSE(downloader.Download(server.Url(), m_file)) << failure.what;
    EXPECT_EQ(FileText(), body) << failure.what;
    EXPECT_FALSE(PartFileLeft()) << failure.what;
  }
}

// A server that accepts and never answers: Cancel from another thread ends
// the download at once, and the version check's Stop returns quickly
// because its thread has ended by itself.
TEST_F(UrlDownloadTest, CancelEndsADownloadFromAServerThatNeverAnswers) {
  CScriptedServer server("");
  {
    CUrlDownloader downloader;
    std::atomic<bool> result{true};
    std::atomic<bool> returned{false};
    std::thread downloading([&] {
      result = downloader.Download(server.Url(), m_file);
      returned = true;
    });
    std::this_thread::sleep_for(500ms);
    EXPECT_FALSE(returned) << "the server never answers";
    const auto cancelled = DownloadClock::now();
    downloader.Cancel();
    downloading.join();
    EXPECT_LT(DownloadClock::now() - cancelled, 1s);
    EXPECT_FALSE(result);
    EXPECT_FALSE(std::filesystem::exists(m_file));
    EXPECT_FALSE(PartFileLeft());
    // Cancelled for good: a later download fails without asking.
    const int asked = server.Requests();
    EXPECT_FALSE(downloader.Download(server.Url(), m_file));
    EXPECT_EQ(server.Requests(), asked);
  }

  // The version check, every address of which leads to the silent server.
  auto downloader = std::make_shared<CUrlDownloader>();
  std::atomic<int> notices{0};
  SVersionCheckJob job{server.Url(), m_file, (m_folder / L"Domain.ini").wstring(), L"English", L"v2.2"};
  CVersionCheckWorker worker(
      job, [&](const std::wstring&, const std::wstring& path) { return downloader->Download(server.Url(), path); },
      [downloader] { downloader->Cancel(); }, &DeleteFileQuietly, [&] { ++notices; });
  ASSERT_TRUE(worker.Start());
  std::this_thread::sleep_for(500ms);
  ASSERT_FALSE(worker.HasEnded()) << "still waiting for the server";
  const auto stopping = DownloadClock::now();
  worker.Stop();
  EXPECT_LT(DownloadClock::now() - stopping, 1s);
  EXPECT_TRUE(worker.HasEnded());
  EXPECT_EQ(notices, 0);
}

}  // namespace
