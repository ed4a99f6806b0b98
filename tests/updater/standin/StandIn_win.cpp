// A stand-in for the main program in the updater's end-to-end test.
//
//   standin.exe                    shows a window of class "Tavrel Video" that
//                                  answers "UWM_JoinDownload_IsMe" and closes
//                                  on WM_CLOSE; appends "started" to
//                                  started.txt beside itself
//   standin.exe --record-url URL   appends URL to urls.txt beside itself (the
//                                  test registers this as the browser)
//   standin.exe --close-standins   closes every stand-in window (not a real
//                                  joiner's: those have another caption), so
//                                  that none outlives its scenario
//   standin.exe --slow-close MS    as the first form, but closes only MS
//                                  milliseconds after WM_CLOSE (a joiner slow
//                                  to shut down), and appends "close-asked"
//                                  to closing.txt when WM_CLOSE arrives
//   standin.exe --probe-window TITLE MS
//                                  for MS milliseconds, sends WM_NULL every
//                                  50 ms with a 500 ms limit to the top-level
//                                  window whose caption contains TITLE, then
//                                  appends "answered N missed M worst W" (W in
//                                  ms) to probe.txt beside itself
//   standin.exe --dump-texts TITLE  writes the texts of the top-level window
//                                  whose caption contains TITLE, then of its
//                                  children, one per line, to texts.txt beside
//                                  itself (read from this other process)
//
// It ends by itself after 60 seconds so that no test leaves it behind.
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <string>

namespace {

UINT g_isMeMessage = 0;
UINT g_closeDelayMs = 0;
constexpr UINT_PTR kSlowCloseTimer = 2;

std::wstring FileBesideMe(const wchar_t* name) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  folder.resize(folder.find_last_of(L'\\') + 1);
  return folder + name;
}

void AppendLine(const wchar_t* fileName, const std::wstring& line) {
  HANDLE file = CreateFileW(FileBesideMe(fileName).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8.data(), size, nullptr, nullptr);
  utf8 += "\n";
  DWORD written = 0;
  WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  CloseHandle(file);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != 0 && message == g_isMeMessage) return g_isMeMessage;
  switch (message) {
    case WM_CLOSE:
      if (g_closeDelayMs == 0) break;
      AppendLine(L"closing.txt", L"close-asked");
      SetTimer(window, kSlowCloseTimer, g_closeDelayMs, nullptr);
      return 0;
    case WM_TIMER: DestroyWindow(window); return 0;
    case WM_DESTROY: PostQuitMessage(2); return 0;
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

int RunWindow(HINSTANCE instance) {
  g_isMeMessage = RegisterWindowMessageW(L"UWM_JoinDownload_IsMe");
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"Tavrel Video";
  if (!RegisterClassW(&windowClass)) return 1;
  HWND window = CreateWindowExW(0, L"Tavrel Video", L"Stand-in", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr,
                                nullptr, instance, nullptr);
  if (!window) return 1;
  SetTimer(window, 1, 60000, nullptr);
  AppendLine(L"started.txt", L"started");
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

// A window's text through WM_GETTEXT, which crosses process boundaries.
std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &copied);
  return text;
}

struct SDump {
  std::wstring title;
  HWND found = nullptr;
  std::wstring lines;
};

int DumpTexts(const std::wstring& title) {
  SDump dump{title};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto* dump = reinterpret_cast<SDump*>(context);
        if (TextOf(window).find(dump->title) == std::wstring::npos) return TRUE;
        dump->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&dump));
  if (!dump.found) return 1;
  dump.lines = TextOf(dump.found);
  EnumChildWindows(
      dump.found,
      [](HWND window, LPARAM context) -> BOOL {
        reinterpret_cast<SDump*>(context)->lines += L"\n" + TextOf(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&dump));
  AppendLine(L"texts.txt", dump.lines);
  return 0;
}

HWND FindByCaption(const std::wstring& title) {
  SDump search{title};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto* search = reinterpret_cast<SDump*>(context);
        if (TextOf(window).find(search->title) == std::wstring::npos) return TRUE;
        search->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int ProbeWindow(const std::wstring& title, ULONGLONG durationMs) {
  HWND window = FindByCaption(title);
  if (!window) return 1;
  int answered = 0, missed = 0;
  ULONGLONG worst = 0;
  for (const ULONGLONG end = GetTickCount64() + durationMs; GetTickCount64() < end; Sleep(50)) {
    const ULONGLONG sent = GetTickCount64();
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 500, &result)) {
      ++answered;
    } else {
      ++missed;
    }
    worst = std::max(worst, GetTickCount64() - sent);
  }
  AppendLine(L"probe.txt", L"answered " + std::to_wstring(answered) + L" missed " + std::to_wstring(missed) +
                               L" worst " + std::to_wstring(worst));
  return 0;
}

int CloseStandIns() {
  EnumWindows(
      [](HWND window, LPARAM) -> BOOL {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (std::wstring(name) == L"Tavrel Video" && TextOf(window) == L"Stand-in") {
          PostMessageW(window, WM_CLOSE, 0, 0);
        }
        return TRUE;
      },
      0);
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (args && count >= 3 && std::wstring(args[1]) == L"--record-url") {
    AppendLine(L"urls.txt", args[2]);
    LocalFree(args);
    return 0;
  }
  if (args && count >= 2 && std::wstring(args[1]) == L"--close-standins") {
    LocalFree(args);
    return CloseStandIns();
  }
  if (args && count >= 3 && std::wstring(args[1]) == L"--dump-texts") {
    const std::wstring title = args[2];
    LocalFree(args);
    return DumpTexts(title);
  }
  if (args && count >= 4 && std::wstring(args[1]) == L"--probe-window") {
    const std::wstring title = args[2];
    const ULONGLONG duration = wcstoull(args[3], nullptr, 10);
    LocalFree(args);
    return ProbeWindow(title, duration);
  }
  if (args && count >= 3 && std::wstring(args[1]) == L"--slow-close") g_closeDelayMs = wcstoul(args[2], nullptr, 10);
  if (args) LocalFree(args);
  return RunWindow(instance);
}
