#include <cstdio>

#include "base/F3DLogHTML.h"
#include "base/ShowMessage.h"
#include "base/TextConvert.h"

namespace corvane {

bool IsPlatformTaskDialogAvailable() { return false; }

void ShowMessage(const std::wstring& text, const std::wstring& title, void* owner) {
  CF3DLogHTML::Instance().Log(kLogInfo, text);
  const std::wstring caption = title.empty() ? ProgramTitle() : title;
  if (const TaskDialogFallback& fallback = InstalledTaskDialogFallback()) {
    fallback(owner ? owner : MessageMainWindow(), text, caption);
    return;
  }
  std::fprintf(stderr, "%s: %s\n", WideToUtf8(caption).c_str(), WideToUtf8(text).c_str());
}

bool AskQuestion(const std::wstring& text, const std::wstring& title, void* owner) {
  ShowMessage(text, title, owner);
  return false;
}

}  // namespace corvane
