#pragma once
// The system's side of IUserStarter (Windows only: include from _win.cpp
// files): the process token, the desktop shell's own ShellExecute, and the
// direct start (CreateProcess for a program, the shell for a web page).
// COM must be initialised on this thread (single-threaded apartment).
#include <string>

#include "updater/UserStart.h"

namespace corvane {

class CSystemUserStarter : public IUserStarter {
 public:
  bool IsElevated() override;
  bool StartThroughDesktopShell(const std::wstring& target) override;
  bool StartDirectly(const std::wstring& target) override;
  void Log(const std::wstring& text) override;
};

// StartForUser with the system's starter; an empty target starts nothing.
bool StartForUser(const std::wstring& target);

}  // namespace corvane
