#include "app/ModelessDialogs.h"

#include <algorithm>
#include <vector>

namespace corvane {
namespace {

std::vector<HWND>& Dialogs() {
  static std::vector<HWND> dialogs;
  return dialogs;
}

bool IsRegistered(HWND window) {
  const auto& dialogs = Dialogs();
  return std::find(dialogs.begin(), dialogs.end(), window) != dialogs.end();
}

}  // namespace

void RegisterModelessDialog(HWND dialog) {
  if (dialog && !IsRegistered(dialog)) Dialogs().push_back(dialog);
}

void UnregisterModelessDialog(HWND dialog) {
  auto& dialogs = Dialogs();
  dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
}

bool RouteModelessDialogMessage(MSG& message) {
  if (!message.hwnd || Dialogs().empty()) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  if (!root || !IsRegistered(root)) return false;
  return IsDialogMessageW(root, &message) != FALSE;
}

void DestroyModelessDialogs() {
  // A copy: each dialog unregisters itself while it is destroyed.
  const std::vector<HWND> dialogs = Dialogs();
  for (HWND dialog : dialogs) {
    if (IsWindow(dialog)) DestroyWindow(dialog);
  }
  Dialogs().clear();
}

}  // namespace corvane
