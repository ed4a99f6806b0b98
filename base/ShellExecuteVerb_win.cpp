#include "base/ShellExecuteVerb.h"

#include <shellapi.h>

namespace corvane {

DWORD ShellExecuteVerb(HWND owner, const wchar_t* verb, const std::wstring& target, int showCommand,
                       const std::wstring& parameters) {
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof info;
  // SEE_MASK_NOASYNC: the shell may finish the hand-over (DDE, a URL
  // handler's activation) on a thread of its own after returning; without
  // the flag a program that ends at once can cut it short and nothing
  // opens. SEE_MASK_FLAG_NO_UI: failures are reported by the caller, once.
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner;
  info.lpVerb = verb;
  info.lpFile = target.c_str();
  info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
  info.nShow = showCommand;
  if (ShellExecuteExW(&info)) return 0;
  const DWORD error = GetLastError();
  return error ? error : ERROR_GEN_FAILURE;
}

}  // namespace corvane
