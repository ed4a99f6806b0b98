#include "app/CorvaneApp.h"

#include <windows.h>

#include "app/MainDlg.h"
#include "online/BrowserHost.h"
#include "app/ModelessDialogs.h"
#include "app/OneInstance2.h"
#include "app/resource.h"
#include "online/SimpleBrowserDlg.h"
#include "settings/RegistryRoot.h"

namespace corvane {

CCorvaneApp::CCorvaneApp() {
  SetCompanyWord(L"Tavrel");
  SetApplicationWord(L"Corvane");
  SetPerUser(1);
}

bool CCorvaneApp::InitInstance() {
  // The main dialog's resource names the class "Tavrel Video" so that other
  // programs can find the window by class; it behaves as a plain dialog.
  WNDCLASSEXW dialogClass = {};
  dialogClass.cbSize = sizeof dialogClass;
  if (GetClassInfoExW(/*instance=*/nullptr, WC_DIALOG, &dialogClass)) {
    dialogClass.hInstance = GetModuleHandleW(nullptr);
    dialogClass.lpszClassName = kMainWindowClassName;
    dialogClass.hIcon = LoadIconW(dialogClass.hInstance, MAKEINTRESOURCEW(IDI_MAINFRAME));  // the program's icon
    dialogClass.hIconSm = static_cast<HICON>(LoadImageW(dialogClass.hInstance, MAKEINTRESOURCEW(IDI_MAINFRAME), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    RegisterClassExW(&dialogClass);
  }
  SetCompanyWord(L"Tavrel");
  SetApplicationWord(L"Corvane");
  // Settings live under Software\Tavrel\Corvane of the current user.
  SetRegistryRoot(L"Tavrel", L"Corvane");
  return true;
}

int CCorvaneApp::Run(int showCommand) {
  CMainDlg dialog;
  if (!dialog.Create()) return 0;
  ShowWindow(dialog.Window(), showCommand);
  MSG message = {};
  for (;;) {
    const BOOL got = GetMessageW(&message, /*window=*/nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    // Keys for a page in a browser panel go to the page first.
    if (CBrowserHost::TranslatePageAccelerator(message)) continue;
    if (dialog.Window() && IsDialogMessageW(dialog.Window(), &message)) continue;
    if (RouteModelessDialogMessage(message)) continue;
    if (CSBDlgManager::Instance().RouteDialogMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  // Open preview windows close with the program (and clean up after themselves).
  DestroyModelessDialogs();
  CSBDlgManager::Instance().DestroyAll();
  return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}

}  // namespace corvane
