#pragma once
// The record the joiner hands the updater on its command line: compact JSON
// with every double quote written as "#" (and a "#" of a value as the
// escape "\u0023"), after a blank and inside one pair of double quotes. The
// updater reads it back with the same rules.
#include <string>

namespace corvane {

struct SHandOffRecord {
  std::wstring downloadUrl;          // "DownloadUrl"
  std::wstring installerUrl;         // "InstallerUrl"
  std::wstring appMainWndClassName;  // "AppMainWndClassName"
  std::wstring appUserMsg;           // "AppUserMsg"
  std::wstring appFileName;          // "AppFileName": name and extension only
  std::wstring curLangName;          // "CurLangName"
  std::wstring tempFilePath;         // "TempFilePath": with trailing backslash
  std::wstring currentVersion;       // "CurrentVersion"
  std::wstring latestVersion;        // "LatestVersion"
  // "PackageSha256", written only when known; updaters that predate it
  // ignore the member.
  std::wstring packageSha256;
  // "PackageSignature", always written (last): the updater installs no
  // package without the maker's signature.
  std::wstring packageSignature;
};

// The nine members in the order above, then the digest when present, then
// the signature.
std::wstring BuildHandOffCommandLine(const SHandOffRecord& record);

// The command line of a record holding one member: " \"{#name#:#value#}\"".
// The form every record follows, kept apart so its quoting can be seen whole.
std::wstring HandOffCommandLineOf(const std::string& compactJson);

}  // namespace corvane
