#include "app/JoinConvData.h"

#include <algorithm>
#include <boost/json.hpp>

#include "base/EscapeUrl.h"
#include "base/TextConvert.h"

namespace corvane {
namespace {

std::wstring StringMember(const boost::json::object& object, const char* key) {
  const boost::json::value* value = object.if_contains(key);
  if (!value || !value->is_string()) return {};
  const boost::json::string& text = value->get_string();
  return Utf8ToWide(std::string_view(text.data(), text.size()));
}

std::vector<std::wstring> StringArrayMember(const boost::json::object& object, const char* key) {
  std::vector<std::wstring> items;
  const boost::json::value* value = object.if_contains(key);
  if (!value || !value->is_array()) return items;
  for (const boost::json::value& item : value->get_array()) {
    // Elements of another type are skipped rather than read as empty paths.
    if (!item.is_string()) continue;
    const boost::json::string& text = item.get_string();
    items.push_back(Utf8ToWide(std::string_view(text.data(), text.size())));
  }
  return items;
}

}  // namespace

bool CJoinConvData::ParseLaunchData() {
  if (m_job.launchData.empty()) return true;
  // The launcher writes "#" for each double quote so that the JSON object
  // survives the command line as one argument.
  std::wstring text = m_job.launchData;
  std::replace(text.begin(), text.end(), L'#', L'"');

  boost::system::error_code error;
  boost::json::value root = boost::json::parse(WideToUtf8(text), error);
  if (error || !root.is_object()) {
    m_job.launchData.clear();
    return false;
  }
  const boost::json::object& object = root.get_object();
  m_job.outputPath = StringMember(object, "OutputPath");
  m_job.sourceUrl = StringMember(object, "FlvUrl");
  m_job.launcherClass = StringMember(object, "AppMainWndClassName");
  m_job.launcherMessage = StringMember(object, "AppUserMsg");
  m_job.languageName = StringMember(object, "CurLangName");
  for (const std::wstring& path : StringArrayMember(object, "VideoClipsPath")) AddFile(path);
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
