#include "online/ScriptErrorLog.h"

namespace corvane {

std::wstring DescribeScriptError(const SScriptError& error) {
  return L"Script error " + error.code + L" at " + error.url + L", line " + error.line + L", character " +
         error.character + L": " + error.message;
}

bool CScriptErrorLog::Record(const SScriptError& error) {
  // A separator no part of an error holds keeps ("a","bc") and ("ab","c") apart.
  const std::wstring key = error.line + L'\x1f' + error.character + L'\x1f' + error.code + L'\x1f' + error.message +
                           L'\x1f' + error.url;
  std::lock_guard<std::mutex> hold(m_lock);
  return m_seen.insert(key).second;
}

size_t CScriptErrorLog::DistinctCount() const {
  std::lock_guard<std::mutex> hold(m_lock);
  return m_seen.size();
}

CScriptErrorLog& ScriptErrorLog() {
  static CScriptErrorLog log;
  return log;
}

}  // namespace corvane
