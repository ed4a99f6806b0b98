// Stands in for the programs the joiner starts (the downloader, a media
// player): appends its own command line, as one UTF-8 line, to the file
// named by the environment variable CORVANE_LAUNCH_RECORD, then exits 0.
// Tests read that file to see what was started and with which arguments.
#include <windows.h>

#include <string>

int wmain() {
  wchar_t recordPath[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"CORVANE_LAUNCH_RECORD", recordPath, MAX_PATH)) return 1;
  const std::wstring commandLine = GetCommandLineW();
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, commandLine.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string line(bytes > 0 ? bytes - 1 : 0, '\0');
  if (bytes > 1) WideCharToMultiByte(CP_UTF8, 0, commandLine.c_str(), -1, line.data(), bytes, nullptr, nullptr);
  line += "\n";
  HANDLE file = CreateFileW(recordPath, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
  return ok ? 0 : 3;
}
