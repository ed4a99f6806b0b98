#include "updater/UpdaterData.h"

#include <algorithm>
#include <boost/json.hpp>

#include "base/JsonMembers.h"
#include "base/TextConvert.h"

namespace corvane {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// One token starting at `pos` (no blanks skipped); `pos` moves past it.
std::wstring_view NextToken(std::wstring_view line, size_t& pos) {
  const size_t start = pos;
  if (pos < line.size() && line[pos] == L'"') {
    const size_t close = line.find(L'"', pos + 1);
    pos = close == std::wstring_view::npos ? line.size() : close + 1;
    const size_t end = close == std::wstring_view::npos ? line.size() : close;
    return line.substr(start + 1, end - start - 1);
  }
  while (pos < line.size() && !IsBlank(line[pos])) ++pos;
  return line.substr(start, pos - start);
}

}  // namespace

std::wstring CommandLineArgument(std::wstring_view line) {
  size_t pos = 0;
  NextToken(line, pos);  // the program
  while (pos < line.size()) {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    if (pos >= line.size()) break;
    const bool quoted = line[pos] == L'"';
    const std::wstring_view token = NextToken(line, pos);
    // The updater has no options: one ends the reading.
    if (!quoted && !token.empty() && (token[0] == L'-' || token[0] == L'/')) return {};
    return std::wstring(token);
  }
  return {};
}

bool ParseUpdaterRecord(std::wstring_view argument, SUpdaterRecord& record) {
  record = SUpdaterRecord();
  const std::optional<boost::json::object> parsed = ParseHashQuotedObject(argument);
  if (!parsed) return false;
  const boost::json::object& object = *parsed;
  record.downloadUrl = JsonStringMember(object, "DownloadUrl");
  record.installerUrl = JsonStringMember(object, "InstallerUrl");
  record.appMainWndClassName = JsonStringMember(object, "AppMainWndClassName");
  record.appUserMsg = JsonStringMember(object, "AppUserMsg");
  record.appFileName = JsonStringMember(object, "AppFileName");
  record.curLangName = JsonStringMember(object, "CurLangName");
  record.tempFilePath = JsonStringMember(object, "TempFilePath");
  record.currentVersion = JsonStringMember(object, "CurrentVersion");
  record.latestVersion = JsonStringMember(object, "LatestVersion");
  record.packageSha256 = JsonStringMember(object, "PackageSha256");
  record.packageSignature = JsonStringMember(object, "PackageSignature");
  return true;
}

bool CUpdaterData::ReadCommandLine(std::wstring_view commandLine) {
  const std::wstring argument = CommandLineArgument(commandLine);
  if (argument.empty()) return false;
  return ParseUpdaterRecord(argument, *this);
}

}  // namespace corvane
