// The joiner's entry.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <ole2.h>

#include "app/CorvaneApp.h"
#include "app/JoinConvData.h"
#include "app/OneInstance2.h"
#include "base/CommandLineParser.h"
#include "base/Singleton.h"
#include "base/UniqueHandle.h"
#include "online/BrowserEngineSetup.h"
#include "skin/Task98Dialog.h"

namespace {

// Made before the entry runs; destroyed with the other singletons at exit.
[[maybe_unused]] corvane::CCorvaneApp* const g_app = new corvane::CCorvaneApp();
[[maybe_unused]] corvane::COneInstance2* const g_oneInstance = new corvane::COneInstance2();

// One optional argument, the launch data. A malformed command line simply
// leaves it at its empty default.
std::wstring ReadLaunchData() {
  corvane::CommandLineParser parser(L"-/");
  parser.AddPositionalArgument({L"1", L"", /*optional=*/true, L""});
  parser.Parse(GetCommandLineW());
  return parser.PositionalValue(L"1");
}

// Bar, extended combo box and cool bar classes.
constexpr DWORD kCommonControlClasses = ICC_BAR_CLASSES | ICC_USEREX_CLASSES | ICC_COOL_CLASSES;

int RunProgram(int showCommand) {
  corvane::CWinApp* app = corvane::CWinApp::Instance();
  if (!app->InitInstance()) {
    app->ExitInstance();
    return 0;
  }
  corvane::CJoinConvData::Instance().SetLaunchData(ReadLaunchData());

  const corvane::CComApartment com(/*withOle=*/true);
  INITCOMMONCONTROLSEX controls = {sizeof controls, kCommonControlClasses};
  InitCommonControlsEx(&controls);
  // Before the main window makes the first browser control.
  corvane::PrepareBrowserEngine();
  return app->Run(showCommand);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPWSTR /*commandLine*/, int showCommand) {
  // Settings are written as the singletons go; that must happen while the
  // store's registry root is still alive, so before the entry returns.
  const corvane::CSingletonTeardown teardown;
  try {
    // Messages still appear as dialogs where the system has no task dialog.
    corvane::InstallTask98MessageFallback();
    return RunProgram(showCommand);
  } catch (...) {
    return 0;  // an exhausted system: end quietly, as the updater does
  }
}
