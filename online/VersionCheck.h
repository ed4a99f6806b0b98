#pragma once
// What the version check makes of the version file the server sent: the
// values it reads, the update address it asks for, and what the program
// does about them.
#include <cstdint>
#include <string>

namespace corvane {

class CIniReader;

// The program's own release date and the one assumed for the latest version
// when the server names none (the compiler's date form).
constexpr wchar_t kProgramReleaseDate[] = L"Aug  7 2015";
constexpr wchar_t kDefaultLatestReleaseDate[] = L"Aug  8 2015";
// The version file in the per-user application-data folder.
constexpr wchar_t kVersionFileName[] = L"corvanever.ini";

// Section "main" of the version file, defaults applied. Addresses that are
// not http or https read as absent.
struct SVersionInfo {
  std::wstring lastVersion;   // "lastversion": the oldest version still supported
  std::wstring tipUrl;        // "tipurl": shown to a program below lastVersion
  std::wstring version;       // "version": the latest version
  std::wstring releaseDate;   // "releasedate", shown as it stands
  std::wstring downloadUrl;   // "downloadurl": the update package
  std::wstring installerUrl;  // "installerurl": the full installer's page
  std::wstring sha256;        // "sha256": the package's digest, lower-case hex; empty when absent or malformed
  std::wstring signature;     // "signature": the maker's signature of the package (base64), as it stands
};

// The page every absent or refused address falls back to.
std::wstring DefaultSoftwarePage();

// Reads the file's values; `ownVersion` (the short version string) stands in
// for absent versions, so a file without section "main" offers nothing.
SVersionInfo ReadVersionInfo(const CIniReader& file, const std::wstring& ownVersion);

enum class EVersionAction {
  kNothing,      // up to date, or the user asked not to hear of this version again
  kShowTipPage,  // below the oldest supported version: the tip page replaces the program
  kOfferUpdate,  // the New Version dialog
};

// "Don't remind me again": bit 0x2 of "SysFlags" and the version it was
// ticked for ("DismissedVersion"), both in section "Config".
struct SReminderChoice {
  int32_t sysFlags = 0;
  std::wstring dismissedVersion;
};

// The tip page is never suppressed: a program below the minimum is not
// supported any more, whatever was dismissed.
EVersionAction DecideVersionAction(const std::wstring& ownVersion, const SVersionInfo& info,
                                   const SReminderChoice& reminder);

// The check box's state saved into the choice: ticked remembers `latestVersion`.
void ApplyReminderChoice(bool ticked, const std::wstring& latestVersion, SReminderChoice& reminder);

// The stored "UpdateURL" as it stands when it is an ftp, http or https
// address; otherwise the server's version script with the language and
// version (neither escaped).
std::wstring BuildUpdateUrl(const std::wstring& storedUrl, const std::wstring& language,
                            const std::wstring& ownVersion);

// "Aug  7 2015" -> "08-07-2015" (month-day-year); the text unchanged when it
// is not a date in the compiler's form.
std::wstring FormatReleaseDate(const std::wstring& compilerDate);

}  // namespace corvane
