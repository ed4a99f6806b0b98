#pragma once
// The joiner's application object.
#include "base/WinApp.h"

namespace corvane {

class CCorvaneApp : public CWinApp {
 public:
  CCorvaneApp();
  // Registers the main window's class "Tavrel Video" as a copy of the
  // system dialog class and names the settings' company and application.
  bool InitInstance() override;
  void ExitInstance() override {}
  // Text forwarded by another program: nothing to do in the joiner.
  bool OnForwardedCommandLine(const std::wstring& /*text*/) override { return true; }
  // Creates the modeless main dialog and runs the message loop until the
  // quit message; 0 when the dialog cannot be created.
  int Run(int showCommand) override;
};

}  // namespace corvane
