#pragma once
// The job data: what to join, where to, and who asked.
//
// Filled by start-up (launch data) and the file list; read by the join
// engine; emptied at the end of every job. UI thread only. The fields live in
// an SJoinJob so that the join controller works on this very object.
#include <string>
#include <vector>

#include "base/Singleton.h"
#include "engine/JoinJob.h"

namespace corvane {

class CJoinConvData : public TSingleton<CJoinConvData, kPriorityJoinConvData> {
 public:
  // The command-line argument as given (empty when absent). The program was
  // started with launch data exactly when this is not empty.
  const std::wstring& LaunchData() const { return m_job.launchData; }
  void SetLaunchData(const std::wstring& text) { m_job.launchData = text; }
  bool StartedWithLaunchData() const { return m_job.IsLaunched(); }

  // Reads the launch data (every "#" taken as a double quote, then a JSON
  // object, in whose strings "\u0023" gives a "#") into the fields below. Missing keys or keys of another type give
  // empty values. Launch data that is not a JSON object is dropped (the
  // launch data becomes empty) so that the program starts interactively;
  // returns false then. Empty launch data: nothing happens, true.
  bool ParseLaunchData();

  // Sends the launcher the completion notice (WM_COPYDATA, tag 1, the
  // escaped UTF-8 source address with its terminating zero), waiting at
  // most kCompletionNoticeTimeoutMs for the launcher to take it. False when
  // no launcher window answers or it did not take the notice in time;
  // nothing is shown to the user either way.
  bool SendCompletionNotice() const;

  const std::wstring& OutputPath() const { return m_job.outputPath; }
  void SetOutputPath(const std::wstring& path) { m_job.outputPath = path; }
  const std::wstring& SourceAddress() const { return m_job.sourceUrl; }
  const std::wstring& LauncherWindowClass() const { return m_job.launcherClass; }
  const std::wstring& LauncherMessageName() const { return m_job.launcherMessage; }
  const std::wstring& InterfaceLanguage() const { return m_job.languageName; }

  // The ordered file list; exact duplicates are refused.
  const std::vector<std::wstring>& Files() const { return m_job.files; }
  bool AddFile(const std::wstring& path);
  void SetFiles(std::vector<std::wstring> files);
  void ClearFiles() { m_job.files.clear(); }

  // The job as the join controller reads and changes it.
  SJoinJob& Job() { return m_job; }
  const SJoinJob& Job() const { return m_job; }

 private:
  SJoinJob m_job;
};

// The completion notice's data bytes: the address as UTF-8, URL-escaped,
// with its terminating zero (so the byte count is length + 1). An address
// whose escaped form does not fit gives just the zero byte.
std::string CompletionNoticeBytes(const std::wstring& sourceAddress);

// The data tag of the completion notice.
constexpr unsigned long kCompletionNoticeTag = 1;
// How long a launcher gets to take the completion notice.
constexpr unsigned kCompletionNoticeTimeoutMs = 2000;

}  // namespace corvane
