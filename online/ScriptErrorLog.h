#pragma once
// Script errors of the pages in the program's browser panels: never shown
// to the user (the pages are ours and the user can do nothing about them),
// and written to the log once per distinct error so that a page that
// fails on every timer tick does not flood it.
#include <mutex>
#include <set>
#include <string>

namespace corvane {

// What the page's error event says ("errorLine", "errorCharacter",
// "errorCode", "errorMessage", "errorUrl"), as text.
struct SScriptError {
  std::wstring line;
  std::wstring character;
  std::wstring code;
  std::wstring message;
  std::wstring url;
};

// "Script error 80020101 at http://…/a.js, line 3, character 7: Syntax error"
std::wstring DescribeScriptError(const SScriptError& error);

class CScriptErrorLog {
 public:
  // True the first time this error (all five parts alike) is seen.
  bool Record(const SScriptError& error);
  size_t DistinctCount() const;

 private:
  mutable std::mutex m_lock;
  std::set<std::wstring> m_seen;
};

// The process's record, used by every browser panel.
CScriptErrorLog& ScriptErrorLog();

}  // namespace corvane
