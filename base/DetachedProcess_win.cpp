#include "base/DetachedProcess.h"

#include <windows.h>

#include "base/Handle.h"

namespace corvane {

bool StartDetachedProcess(const std::wstring& application, const std::wstring& commandLine) {
  // CreateProcessW may write into the command line: it gets a copy.
  std::wstring line = commandLine;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(application.empty() ? nullptr : application.c_str(), line.empty() ? nullptr : line.data(),
                      /*processSecurity=*/nullptr, /*threadSecurity=*/nullptr, /*inherit=*/FALSE, /*flags=*/0,
                      /*environment=*/nullptr, /*folder=*/nullptr, &startup, &process)) {
    return false;
  }
  const CHandle thread(process.hThread), child(process.hProcess);  // not waited for
  return true;
}

}  // namespace corvane
