#include "app/JoinConvData.h"

#include <windows.h>

#include "base/WindowFinder.h"

namespace corvane {

bool CJoinConvData::SendCompletionNotice() const {
  if (m_job.launcherClass.empty() || m_job.launcherMessage.empty()) return false;
  const UINT message = RegisterWindowMessageW(m_job.launcherMessage.c_str());
  const HWND launcher = FindInstanceWindow(m_job.launcherClass, message);
  // A launcher that has gone away simply gets nothing.
  if (!launcher) return false;

  std::string bytes = CompletionNoticeBytes(m_job.sourceUrl);
  COPYDATASTRUCT data = {};
  data.dwData = kCompletionNoticeTag;
  data.cbData = static_cast<DWORD>(bytes.size());  // terminating zero included
  data.lpData = bytes.data();
  // A launcher that is hung, or busy past the bound, does not get to hold
  // up the end of the job: the notice is dropped.
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(launcher, WM_COPYDATA, /*sender=*/0, reinterpret_cast<LPARAM>(&data),
                             SMTO_ABORTIFHUNG, kCompletionNoticeTimeoutMs, &answer) != 0;
}

}  // namespace corvane
