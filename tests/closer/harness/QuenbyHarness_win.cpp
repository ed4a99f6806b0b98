#include "closer/harness/QuenbyHarness_win.h"

#include <cstring>

namespace corvane::test {

std::wstring BuildTreePath(const std::string& relative) {
  const std::string unixPath = std::string(CORVANE_BUILD_DIR) + "/" + relative;
  std::wstring path = L"Z:";
  for (char c : unixPath) path += (c == '/') ? L'\\' : static_cast<wchar_t>(c);
  return path;
}

template <class Char>
TInstallerStack<Char>::~TInstallerStack() {
  while (m_top) {
    SItem* next = m_top->next;
    GlobalFree(m_top);
    m_top = next;
  }
}

template <class Char>
void TInstallerStack<Char>::Push(const std::basic_string<Char>& text) {
  // As the installer does: room for the next pointer and a full string.
  auto* item = static_cast<SItem*>(GlobalAlloc(GPTR, sizeof(SItem*) + sizeof(Char) * kInstallerStringSize));
  if (!item) return;
  const std::size_t count = std::min<std::size_t>(text.size(), kInstallerStringSize - 1);
  std::memcpy(item->text, text.data(), count * sizeof(Char));
  item->text[count] = Char(0);
  item->next = m_top;
  m_top = item;
}

template <class Char>
std::size_t TInstallerStack<Char>::Depth() const {
  std::size_t depth = 0;
  for (SItem* item = m_top; item; item = item->next) ++depth;
  return depth;
}

template class TInstallerStack<char>;
template class TInstallerStack<wchar_t>;

CQuenbyPlugin::CQuenbyPlugin(const std::string& flavour) {
  m_module = LoadLibraryW(BuildTreePath("closer/" + flavour + "/Quenby.dll").c_str());
  if (!m_module) return;
  m_closeApp = reinterpret_cast<CloseAppFn>(reinterpret_cast<void*>(GetProcAddress(m_module, "CloseApp")));
}

CQuenbyPlugin::~CQuenbyPlugin() {
  if (m_module) FreeLibrary(m_module);
}

CStandInWindow::CStandInWindow(const std::wstring& answers, bool closeOnCommand2)
    : m_closeOnCommand2(closeOnCommand2) {
  if (!answers.empty()) m_answer = RegisterWindowMessageW(answers.c_str());
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  m_thread = std::thread([this, ready] { Run(ready); });
  WaitForSingleObject(ready, 10000);
  CloseHandle(ready);
}

CStandInWindow::~CStandInWindow() {
  if (m_threadId) PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
  if (m_thread.joinable()) m_thread.join();
}

void CStandInWindow::Run(HANDLE ready) {
  m_threadId = GetCurrentThreadId();
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &CStandInWindow::Procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"Tavrel Video";
  RegisterClassExW(&wc);  // fails harmlessly when an earlier stand-in registered it
  HWND window = CreateWindowExW(0, L"Tavrel Video", L"stand-in", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                nullptr, wc.hInstance, this);
  m_window = window;
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue exists before "ready"
  SetEvent(ready);
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (IsWindow(window)) DestroyWindow(window);
}

LRESULT CALLBACK CStandInWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<CStandInWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(window, message, wParam, lParam);
}

LRESULT CStandInWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= 0xC000 && message <= 0xFFFF) {
    {
      std::lock_guard<std::mutex> guard(m_lock);
      m_registered.push_back(message);
    }
    if (m_answer != 0 && message == m_answer) return static_cast<LRESULT>(m_answer);
    return 0;
  }
  if (message == WM_COMMAND) {
    {
      std::lock_guard<std::mutex> guard(m_lock);
      m_commands.push_back(wParam);
    }
    if (wParam == 2 && m_closeOnCommand2) DestroyWindow(window);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

std::vector<UINT> CStandInWindow::RegisteredMessages() const {
  std::lock_guard<std::mutex> guard(m_lock);
  return m_registered;
}

std::vector<WPARAM> CStandInWindow::Commands() const {
  std::lock_guard<std::mutex> guard(m_lock);
  return m_commands;
}

bool CProcess::Start(const std::wstring& commandLine) {
  std::wstring line = commandLine;
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  return CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi) != 0;
}

CProcess::~CProcess() {
  if (!m_pi.hProcess) return;
  if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_pi.hProcess, 99);
  CloseHandle(m_pi.hProcess);
  CloseHandle(m_pi.hThread);
}

namespace {
struct SWindowSearch {
  DWORD processId;
  HWND found;
};
BOOL CALLBACK MatchMainWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<SWindowSearch*>(param);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || std::wcscmp(name, L"Tavrel Video") != 0) return TRUE;
  search->found = window;
  return FALSE;
}
}  // namespace

HWND CProcess::WaitForMainWindow(std::chrono::milliseconds limit) const {
  const auto until = Clock::now() + limit;
  while (Clock::now() < until) {
    SWindowSearch search{m_pi.dwProcessId, nullptr};
    EnumWindows(&MatchMainWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found && IsWindowVisible(search.found)) return search.found;
    Sleep(10);
  }
  return nullptr;
}

long CProcess::ExitCode(DWORD limitMs) const {
  if (!m_pi.hProcess || WaitForSingleObject(m_pi.hProcess, limitMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(m_pi.hProcess, &code);
  return static_cast<long>(code);
}

CWindowWatch::CWindowWatch(HWND window) {
  m_thread = std::thread([this, window] {
    while (!m_stop.load()) {
      if (!IsWindow(window)) {
        m_goneAt = Clock::now();
        return;
      }
      Sleep(1);
    }
  });
}

CWindowWatch::~CWindowWatch() {
  m_stop = true;
  if (m_thread.joinable()) m_thread.join();
}

double SecondsBetween(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

}  // namespace corvane::test
