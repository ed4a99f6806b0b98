#pragma once
// The hand-off record the main program gives the updater on its command line.
//
// The command line holds one argument: the record as compact JSON with every
// double quote written as "#" (a "#" of a value as "\u0023"), the whole in
// one pair of double quotes.
#include <string>
#include <string_view>

#include "base/Singleton.h"

namespace corvane {

constexpr int kPriorityUpdaterData = 5003;

struct SUpdaterRecord {
  std::wstring downloadUrl;          // "DownloadUrl": the package; empty = nothing to do
  std::wstring installerUrl;         // "InstallerUrl": the fallback page
  std::wstring appMainWndClassName;  // "AppMainWndClassName"
  std::wstring appUserMsg;           // "AppUserMsg": registered message the window answers
  std::wstring appFileName;          // "AppFileName": program to start afterwards
  std::wstring curLangName;          // "CurLangName"
  std::wstring tempFilePath;         // "TempFilePath": folder with trailing backslash
  std::wstring currentVersion;       // "CurrentVersion"
  std::wstring latestVersion;        // "LatestVersion"
  std::wstring packageSha256;        // "PackageSha256": lower-case hex; empty = not checked
  std::wstring packageSignature;     // "PackageSignature": base64 of the maker's signature; empty = refused

  // Where the package is stored.
  std::wstring PackagePath() const { return tempFilePath + L"_newver.zip"; }
};

// The first argument of a command line that is not an option; empty when
// there is none or an option ("-x", "/x") comes first. Quotes group text and
// nothing escapes; the program token is skipped.
std::wstring CommandLineArgument(std::wstring_view commandLine);

// Reads the record from the argument ("#" for each double quote, "\u0023"
// for a "#" of a value). Missing
// members and members that are not strings read empty; false (and an empty
// record) when the text is not a JSON object.
bool ParseUpdaterRecord(std::wstring_view argument, SUpdaterRecord& record);

class CUpdaterData : public SUpdaterRecord, public TSingleton<CUpdaterData, kPriorityUpdaterData> {
 public:
  // Fills the record from the process command line; false when there is no
  // usable record.
  bool ReadCommandLine(std::wstring_view commandLine);
};

}  // namespace corvane
