#include <windows.h>
#include <commctrl.h>

#include "base/F3DLogHTML.h"
#include "base/ShowMessage.h"

namespace corvane {

namespace {

using TaskDialogIndirectFn = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

// comctl32 v6 (chosen by the program's manifest) has the task dialog; older
// systems and a missing manifest leave it out, so it is looked up by name.
TaskDialogIndirectFn FindTaskDialogIndirect() {
  if (!PlatformTaskDialogAllowed()) return nullptr;
  HMODULE library = GetModuleHandleW(L"comctl32.dll");
  if (!library) library = LoadLibraryW(L"comctl32.dll");  // stays loaded for the process
  if (!library) return nullptr;
  return reinterpret_cast<TaskDialogIndirectFn>(
      reinterpret_cast<void*>(GetProcAddress(library, "TaskDialogIndirect")));
}

HWND ResolveOwner(void* owner) {
  if (owner && IsWindow(static_cast<HWND>(owner))) return static_cast<HWND>(owner);
  HWND main = static_cast<HWND>(MessageMainWindow());
  if (main && IsWindow(main)) return main;
  HWND active = GetActiveWindow();
  return active ? GetLastActivePopup(active) : nullptr;
}

// Shows the platform's task dialog; false when there is none or it failed.
bool RunTaskDialog(HWND owner, const std::wstring& text, const std::wstring& caption,
                   TASKDIALOG_COMMON_BUTTON_FLAGS buttons, int* pressed) {
  TaskDialogIndirectFn taskDialog = FindTaskDialogIndirect();
  if (!taskDialog) return false;
  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof config;
  config.hwndParent = owner;
  config.dwCommonButtons = buttons;
  config.pszWindowTitle = caption.c_str();
  config.pszMainIcon = TD_INFORMATION_ICON;
  config.pszContent = text.c_str();
  return SUCCEEDED(taskDialog(&config, pressed, /*radio=*/nullptr, /*verified=*/nullptr));
}

}  // namespace

bool IsPlatformTaskDialogAvailable() { return FindTaskDialogIndirect() != nullptr; }

void ShowMessage(const std::wstring& text, const std::wstring& title, void* owner) {
  CF3DLogHTML::Instance().Log(kLogInfo, text);
  const std::wstring caption = title.empty() ? ProgramTitle() : title;
  const HWND ownerWindow = ResolveOwner(owner);

  if (RunTaskDialog(ownerWindow, text, caption, TDCBF_OK_BUTTON, /*pressed=*/nullptr)) return;
  if (const TaskDialogFallback& fallback = InstalledTaskDialogFallback()) {
    fallback(ownerWindow, text, caption, EMessageKind::kInformation);
    return;
  }
  MessageBoxW(ownerWindow, text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

bool AskQuestion(const std::wstring& text, const std::wstring& title, void* owner) {
  CF3DLogHTML::Instance().Log(kLogInfo, text);
  const std::wstring caption = title.empty() ? ProgramTitle() : title;
  const HWND ownerWindow = ResolveOwner(owner);
  int button = 0;
  if (RunTaskDialog(ownerWindow, text, caption, TDCBF_YES_BUTTON | TDCBF_NO_BUTTON, &button)) return button == IDYES;
  if (const TaskDialogFallback& fallback = InstalledTaskDialogFallback()) {
    return fallback(ownerWindow, text, caption, EMessageKind::kYesNoQuestion);
  }
  return MessageBoxW(ownerWindow, text.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace corvane
