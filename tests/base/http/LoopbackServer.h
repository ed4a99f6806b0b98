#pragma once
// The loopback HTTP server of the Windows tests (tests/base/http/
// http_test_server.py, a Linux program that Wine runs directly), started
// for the lifetime of the object. Windows only.
#include <windows.h>

#include "tests/UnixTempName_win.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// Starts tests/base/http/http_test_server.py (a Linux program: Wine runs it
// directly) and reads back the port it listens on.
class LoopbackServer {
 public:
  // filesDir: a Linux folder whose files the server answers "/files/NAME"
  // with (see the script); empty for the built-in answers only.
  explicit LoopbackServer(const std::wstring& filesDir = L"") {
    // The server is a Linux program: it gets Linux paths, this test reads
    // the same file through Wine's Z: drive.
    const std::wstring unixPortFile = corvane::test::UnixTempName(L"corvane-http-test-") + L".port";
    m_portFile = corvane::test::UnixToWine(unixPortFile);
    DeleteFileW(m_portFile.c_str());
    const std::wstring script = Widen(CORVANE_TEST_DATA "/../base/http/http_test_server.py");
    std::wstring command = L"/usr/bin/python3 \"" + script + L"\" \"" + unixPortFile + L"\"";
    if (!filesDir.empty()) command += L" \"" + filesDir + L"\"";
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
  std::wstring m_portFile;
  HANDLE m_process = nullptr;
  unsigned m_port = 0;
};

}  // namespace
