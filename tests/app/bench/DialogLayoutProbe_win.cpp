// Measuring tool (not a test): where the joiner's dialogs put their
// controls. Waits for the running joiner's main window, then prints every
// control of the main window, the About dialog and the Property dialog of
// the clip given on the command line, one line each:
//   dialog id class left top width height
// in pixels of the dialog's client area. Fonts decide the dialog units, so
// two runs on different font set-ups can be compared line by line. Run by
// scripts/measure-dialog-layout.sh.

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

constexpr wchar_t kMainWindowClass[] = L"Tavrel Video";
constexpr int kAddCommand = 1038;
constexpr int kAboutCommand = 1036;
constexpr int kPropertyCommand = 2011;
constexpr int kFileListId = 1011;

template <class Pred>
bool WaitFor(Pred pred, DWORD limitMs = 20000) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < limitMs) {
    if (pred()) return true;
    Sleep(50);
  }
  return pred();
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

struct SDialogSearch {
  DWORD process;
  HWND except;
  HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<SDialogSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->process && window != search->except && IsWindowVisible(window) &&
      ClassOf(window) == L"#32770") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// A visible dialog of the joiner's process other than `except`.
HWND WaitForDialog(DWORD process, HWND except) {
  SDialogSearch search{process, except, nullptr};
  WaitFor([&] {
    search.found = nullptr;
    EnumWindows(&MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  });
  return search.found;
}

struct SPrintContext {
  const char* dialog;
  HWND parent;
};

BOOL CALLBACK PrintControl(HWND control, LPARAM param) {
  auto* context = reinterpret_cast<SPrintContext*>(param);
  if (GetParent(control) != context->parent) return TRUE;  // a control's own children
  RECT rect = {};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, context->parent, reinterpret_cast<POINT*>(&rect), 2);
  std::printf("%s %d %ls %ld %ld %ld %ld\n", context->dialog, GetDlgCtrlID(control), ClassOf(control).c_str(),
              rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  return TRUE;
}

void PrintDialog(const char* name, HWND dialog) {
  RECT client = {};
  GetClientRect(dialog, &client);
  std::printf("%s client - 0 0 %ld %ld\n", name, client.right, client.bottom);
  SPrintContext context{name, dialog};
  EnumChildWindows(dialog, &PrintControl, reinterpret_cast<LPARAM>(&context));
}

void Command(HWND window, int id) { PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

BOOL CALLBACK MatchEdit(HWND window, LPARAM param) {
  if (ClassOf(window) != L"Edit" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(param) = window;
  return FALSE;
}

// Adds `clip` through the open dialog, as a user would.
bool AddClip(HWND main, DWORD process, const std::wstring& clip) {
  Command(main, kAddCommand);
  HWND open = WaitForDialog(process, main);
  HWND nameBox = nullptr;
  const bool found = open && WaitFor([&] {
    EnumChildWindows(open, &MatchEdit, reinterpret_cast<LPARAM>(&nameBox));
    return nameBox != nullptr;
  });
  if (!found) return false;
  SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(clip.c_str()));
  PostMessageW(open, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(open, IDOK)));
  return WaitFor([&] { return !IsWindow(open) && SendDlgItemMessageW(main, kFileListId, LVM_GETITEMCOUNT, 0, 0) > 0; });
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  HWND main = nullptr;
  if (!WaitFor([&] { return (main = FindWindowW(kMainWindowClass, nullptr)) != nullptr && IsWindowVisible(main); }, 60000)) {
    std::fprintf(stderr, "layout-probe: no main window appeared\n");
    return 1;
  }
  DWORD process = 0;
  GetWindowThreadProcessId(main, &process);
  Sleep(500);  // the window finishes its start-up work
  PrintDialog("main", main);

  Command(main, kAboutCommand);
  if (HWND about = WaitForDialog(process, main)) {
    PrintDialog("about", about);
    PostMessageW(about, WM_COMMAND, IDCANCEL, 0);
    WaitFor([&] { return !IsWindow(about); });
  } else {
    std::fprintf(stderr, "layout-probe: the About dialog did not appear\n");
  }

  if (argc > 1 && AddClip(main, process, argv[1])) {
    Command(main, kPropertyCommand);  // shows the first row when none is selected
    if (HWND property = WaitForDialog(process, main)) {
      PrintDialog("property", property);
      PostMessageW(property, WM_COMMAND, IDCANCEL, 0);
      WaitFor([&] { return !IsWindow(property); });
    } else {
      std::fprintf(stderr, "layout-probe: the Property dialog did not appear\n");
    }
  } else if (argc > 1) {
    std::fprintf(stderr, "layout-probe: the clip could not be added\n");
  }
  // The script photographs the main window: its last look is without a dialog.
  Sleep(1500);
  PostMessageW(main, WM_CLOSE, 0, 0);
  return 0;
}
