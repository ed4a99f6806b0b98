#include "online/HandOffRecord.h"

#include <boost/json.hpp>

#include "base/JsonMembers.h"
#include "base/TextConvert.h"

namespace corvane {

std::wstring HandOffCommandLineOf(const std::string& compactJson) {
  return L" \"" + HashQuotedText(compactJson) + L"\"";
}

std::wstring BuildHandOffCommandLine(const SHandOffRecord& record) {
  // boost::json::object keeps the order of insertion, which is the order
  // the members are written in.
  boost::json::object object;
  const auto put = [&object](const char* name, const std::wstring& value) {
    object[name] = WideToUtf8(value);
  };
  put("DownloadUrl", record.downloadUrl);
  put("InstallerUrl", record.installerUrl);
  put("AppMainWndClassName", record.appMainWndClassName);
  put("AppUserMsg", record.appUserMsg);
  put("AppFileName", record.appFileName);
  put("CurLangName", record.curLangName);
  put("TempFilePath", record.tempFilePath);
  put("CurrentVersion", record.currentVersion);
  put("LatestVersion", record.latestVersion);
  if (!record.packageSha256.empty()) put("PackageSha256", record.packageSha256);
  put("PackageSignature", record.packageSignature);
  return HandOffCommandLineOf(boost::json::serialize(object));
}

}  // namespace corvane
