#include "updater/UserStart.h"

namespace corvane {

bool StartForUser(IUserStarter& starter, const std::wstring& target) {
  if (!starter.IsElevated()) return starter.StartDirectly(target);
  if (starter.StartThroughDesktopShell(target)) return true;
  starter.Log(L"Not started (the desktop shell could not start it without administrator rights): " + target);
  return false;
}

}  // namespace corvane
