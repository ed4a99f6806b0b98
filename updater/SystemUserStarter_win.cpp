#include "updater/SystemUserStarter.h"

#include <windows.h>
#include <exdisp.h>
#include <shldisp.h>
#include <shlobj.h>
#include <wrl/client.h>

#include "base/DetachedProcess.h"
#include "base/F3DLogHTML.h"
#include "base/Handle.h"
#include "base/UniqueHandle.h"
#include "updater/HandOffCheck.h"
#include "updater/ShellOpenUrl.h"

namespace corvane {
namespace {

using Microsoft::WRL::ComPtr;

// The desktop's folder view in Explorer, the process the user's session
// started with the user's own (filtered) token, and its Shell.Application
// object, which runs ShellExecute inside that process.
ComPtr<IShellDispatch2> DesktopShellDispatch() {
  ComPtr<IShellWindows> windows;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_PPV_ARGS(&windows)))) return nullptr;
  CVariant location, root;  // both VT_EMPTY: with SWC_DESKTOP no location is looked at
  long window = 0;
  ComPtr<IDispatch> desktop;
  // S_FALSE: no desktop window (no Explorer shell running).
  if (windows->FindWindowSW(location.Get(), root.Get(), SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, &desktop) != S_OK ||
      !desktop) {
    return nullptr;
  }
  ComPtr<IServiceProvider> services;
  ComPtr<IShellBrowser> browser;
  ComPtr<IShellView> view;
  ComPtr<IDispatch> background;
  ComPtr<IShellFolderViewDual> folderView;
  ComPtr<IDispatch> application;
  ComPtr<IShellDispatch2> shell;
  if (FAILED(desktop.As(&services)) ||
      FAILED(services->QueryService(SID_STopLevelBrowser, IID_PPV_ARGS(&browser))) ||
      FAILED(browser->QueryActiveShellView(&view)) ||
      FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_PPV_ARGS(&background))) || FAILED(background.As(&folderView)) ||
      FAILED(folderView->get_Application(&application)) || !application || FAILED(application.As(&shell))) {
    return nullptr;
  }
  return shell;
}

}  // namespace

bool CSystemUserStarter::IsElevated() { return IsProcessElevated(); }

bool IsProcessElevated() {
  // "Elevated" here means: a program started directly would hold more
  // rights than the user's own programs. Wine has no UAC: its tokens say
  // elevated, but every process of the session runs as the same system
  // user with the same rights, so nothing gains by starting directly (and
  // its desktop has no shell view to start through). Wine's ntdll names its
  // version; Windows' has no such export, and a user cannot put another
  // ntdll under a program (it is a known system DLL).
  if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) return false;
  CHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Put())) return true;  // unknown: the careful answer
  TOKEN_ELEVATION elevation = {};
  DWORD size = 0;
  if (!GetTokenInformation(token.Get(), TokenElevation, &elevation, sizeof elevation, &size)) return true;
  return elevation.TokenIsElevated != 0;
}

bool CSystemUserStarter::StartThroughDesktopShell(const std::wstring& target) {
  const ComPtr<IShellDispatch2> shell = DesktopShellDispatch();
  if (!shell) return false;
  const CBstr file(SysAllocString(target.c_str()));
  if (!file) return false;
  CVariant arguments, folder, operation, show;  // no arguments, folder or verb: the default
  show->vt = VT_I4;
  show->lVal = SW_SHOWNORMAL;
  return SUCCEEDED(shell->ShellExecute(file.Get(), *arguments, *folder, *operation, *show));
}

bool CSystemUserStarter::StartDirectly(const std::wstring& target) {
  if (IsWebAddress(target)) return ShellOpenUrl(target, SW_SHOWNORMAL);
  return StartDetachedProcess(target, /*commandLine=*/std::wstring());
}

void CSystemUserStarter::Log(const std::wstring& text) { CF3DLogHTML::Instance().Log(kLogWarn, text); }

bool StartForUser(const std::wstring& target) {
  if (target.empty()) return false;
  CSystemUserStarter starter;
  return StartForUser(starter, target);
}

}  // namespace corvane
