#include "base/ShowMessage.h"

#include "base/F3DFileName.h"
#include "base/F3DException.h"

namespace corvane {
namespace {

struct SMessageSettings {
  std::wstring title;
  void* mainWindow = nullptr;
  TaskDialogFallback fallback;
  bool platformTaskDialogAllowed = true;
};

SMessageSettings& Settings() {
  static SMessageSettings settings;
  return settings;
}

}  // namespace

void SetProgramTitle(const std::wstring& title) { Settings().title = title; }

std::wstring ProgramTitle() {
  if (!Settings().title.empty()) return Settings().title;
  try {
    return CF3DFileName::FromModule(nullptr).Title();
  } catch (const CF3DException&) {
    return {};
  }
}

void SetMessageMainWindow(void* window) { Settings().mainWindow = window; }

void* MessageMainWindow() { return Settings().mainWindow; }

void SetTaskDialogFallback(TaskDialogFallback fallback) { Settings().fallback = std::move(fallback); }

const TaskDialogFallback& InstalledTaskDialogFallback() { return Settings().fallback; }

void SetPlatformTaskDialogAllowed(bool allowed) { Settings().platformTaskDialogAllowed = allowed; }

bool PlatformTaskDialogAllowed() { return Settings().platformTaskDialogAllowed; }

}  // namespace corvane
