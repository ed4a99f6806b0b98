#include <cstdio>

#include "base/F3DLogHTML.h"
#include "base/ShowMessage.h"
#include "base/TextConvert.h"

namespace corvane {

bool IsPlatformTaskDialogAvailable() { return false; }

namespace {

// Without a fallback the text goes to the console and a question is
// answered No: nothing here can ask the user.
bool Show(const std::wstring& text, const std::wstring& title, void* owner, EMessageKind kind) {
  CF3DLogHTML::Instance().Log(kLogInfo, text);
  const std::wstring caption = title.empty() ? ProgramTitle() : title;
  if (const TaskDialogFallback& fallback = InstalledTaskDialogFallback()) {
    return fallback(owner ? owner : MessageMainWindow(), text, caption, kind);
  }
  std::fprintf(stderr, "%s: %s\n", WideToUtf8(caption).c_str(), WideToUtf8(text).c_str());
  return false;
}

}  // namespace

void ShowMessage(const std::wstring& text, const std::wstring& title, void* owner) {
  Show(text, title, owner, EMessageKind::kInformation);
}

bool AskQuestion(const std::wstring& text, const std::wstring& title, void* owner) {
  return Show(text, title, owner, EMessageKind::kYesNoQuestion);
}

}  // namespace corvane
