#include "updater/ShellOpenUrl.h"

#include <windows.h>

#include "base/ShellExecuteVerb.h"
#include "base/TextConvert.h"
#include "updater/BrowserCommand.h"

namespace corvane {
namespace {

// The default value of a key under HKEY_CLASSES_ROOT (at most 260
// characters). Browsers often register their command as REG_EXPAND_SZ
// ("%ProgramFiles%\..."): RRF_RT_REG_SZ takes such a value too, expanded.
std::wstring ClassesRootDefault(const std::wstring& subKey) {
  wchar_t value[261] = {};
  DWORD size = sizeof(value) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CLASSES_ROOT, subKey.c_str(), /*value=*/nullptr, RRF_RT_REG_SZ, /*type=*/nullptr, value,
                   &size) != ERROR_SUCCESS) {
    return {};
  }
  return value;
}

bool OpenWithHtmHandler(const std::wstring& url, int showCommand) {
  const std::wstring command = RegisteredPageCommand();
  if (command.empty()) return false;
  const std::string line = WideToAnsi(BrowserCommandLine(command, url));
  // WinExec takes the thread's ANSI text; like the shell's own open, only a
  // value above 32 counts as started.
  return WinExec(line.c_str(), static_cast<UINT>(showCommand)) > 32;
}

}  // namespace

std::wstring RegisteredPageCommand() {
  const std::wstring pageClass = ClassesRootDefault(L".htm");
  return pageClass.empty() ? std::wstring() : ClassesRootDefault(pageClass + L"\\shell\\open\\command");
}

bool ShellOpenUrl(const std::wstring& url, int showCommand) {
  // The default verb; the call returns only once the shell has handed the
  // page over, since the updater may end right afterwards.
  if (ShellExecuteVerb(/*owner=*/nullptr, /*verb=*/nullptr, url, showCommand) == 0) return true;
  return OpenWithHtmHandler(url, showCommand);
}

}  // namespace corvane
