#pragma once
// The job the join controller works on: the inputs, the output and, for a job
// started by another program, where to send the completion notice.
#include <string>
#include <vector>

namespace corvane {

struct SJoinJob {
  std::wstring launchData;       // the command-line argument; empty for an interactive start
  std::wstring outputPath;
  std::wstring sourceUrl;        // "FlvUrl" of the launch data
  std::wstring launcherClass;    // "AppMainWndClassName"
  std::wstring launcherMessage;  // "AppUserMsg"
  std::wstring languageName;     // "CurLangName"
  std::vector<std::wstring> files;

  bool IsLaunched() const { return !launchData.empty(); }
};

}  // namespace corvane
