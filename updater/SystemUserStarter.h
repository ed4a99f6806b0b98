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

// Whether this process runs elevated on a system that keeps the user's own
// token apart (Windows with UAC); unknown counts as yes. Under Wine every
// process of the session carries the same administrator token, there is
// no unelevated one to hand anything to, and files keep no owner or
// protected access list: there the updater runs as the user's programs do.
bool IsProcessElevated();

// StartForUser with the system's starter; an empty target starts nothing.
bool StartForUser(const std::wstring& target);

}  // namespace corvane
