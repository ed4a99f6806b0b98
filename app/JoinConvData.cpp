#include "app/JoinConvData.h"

#include <algorithm>
#include <boost/json.hpp>

#include "base/EscapeUrl.h"
#include "base/JsonMembers.h"
#include "base/TextConvert.h"

namespace corvane {

bool CJoinConvData::ParseLaunchData() {
  if (m_job.launchData.empty()) return true;
  const std::optional<boost::json::object> parsed = ParseHashQuotedObject(m_job.launchData);
  if (!parsed) {
    m_job.launchData.clear();
    return false;
  }
  const boost::json::object& object = *parsed;
  m_job.outputPath = JsonStringMember(object, "OutputPath");
  m_job.sourceUrl = JsonStringMember(object, "FlvUrl");
  m_job.launcherClass = JsonStringMember(object, "AppMainWndClassName");
  m_job.launcherMessage = JsonStringMember(object, "AppUserMsg");
  m_job.languageName = JsonStringMember(object, "CurLangName");
  for (const std::wstring& path : JsonStringArrayMember(object, "VideoClipsPath")) AddFile(path);
  return true;
}

bool CJoinConvData::AddFile(const std::wstring& path) {
  if (std::find(m_job.files.begin(), m_job.files.end(), path) != m_job.files.end()) return false;
  m_job.files.push_back(path);
  return true;
}

void CJoinConvData::SetFiles(std::vector<std::wstring> files) {
  m_job.files.clear();
  for (const auto& path : files) AddFile(path);
}

std::string CompletionNoticeBytes(const std::wstring& sourceAddress) {
  std::string bytes = EscapeUrl(WideToUtf8(sourceAddress));
  bytes.push_back('\0');
  return bytes;
}

}  // namespace corvane
