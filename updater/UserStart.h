#pragma once
// Starting a program or opening a web page for the user from the updater,
// which runs as administrator where the system has UAC.
//
// Nothing the updater starts may inherit its rights: a restarted joiner
// running elevated would keep them for the whole session (its files, its
// browser windows, every program it starts in turn), and a browser or a
// file association run as administrator hands those rights to whatever a
// web page or document can reach. So an elevated updater starts things only
// through the desktop shell's own process, which runs them with the token
// the user signed in with; a system without elevation (UAC off, Wine)
// starts them directly. When the shell's route fails, nothing is started
// at all: the joiner is not restarted and the page is dropped, with a line
// in the log. Starting them elevated instead would be the very thing to
// avoid, and the user can start the joiner again by hand.
#include <string>

namespace corvane {

class IUserStarter {
 public:
  virtual ~IUserStarter() = default;
  // Whether this process runs with an elevated token.
  virtual bool IsElevated() = 0;
  // Through the desktop shell's process (its token, not this one's).
  virtual bool StartThroughDesktopShell(const std::wstring& target) = 0;
  // With this process's own token: a program is started, a web address opened.
  virtual bool StartDirectly(const std::wstring& target) = 0;
  virtual void Log(const std::wstring& text) = 0;
};

// Starts `target` (a program's full path or a web address) as described
// above; true when it was handed over.
bool StartForUser(IUserStarter& starter, const std::wstring& target);

}  // namespace corvane
