#pragma once
// The folder the elevated updater keeps its copy of the package in, which
// only administrators can change (Windows only: include from _win.cpp files).
//
// It lies under the machine's program data folder (CSIDL_COMMON_APPDATA),
// not in the user's: that one belongs to the user, whose own programs run
// without elevation and could change a file there between the updater's
// check and its use. Every level the updater adds there ("Corvane(tavrel)",
// then "Updates") is a real folder owned by the Administrators group (or
// SYSTEM) whose access list is protected (nothing inherited from above) and
// grants only SYSTEM and Administrators: a user can create folders in the
// program data folder, so a level found otherwise (a link, a folder a user
// made first and owns) is removed, without following anything, and made
// again.
#include <string>

namespace corvane {

// The machine's program data folder, with a trailing backslash; empty when
// the system names none.
std::wstring ProgramDataFolder();

// The updater's folder under it.
constexpr wchar_t kUpdatesFolder[] = L"Corvane(tavrel)\\Updates";

// Makes `relative` ("A\B") under `root` (an existing folder that is not
// itself a link, with its trailing backslash) with the protected access
// list described above, checking or remaking each level in turn. Returns
// the folder with a trailing backslash, or empty with the reason (English,
// for the log).
//
// `requireProtection` false (a process that is not elevated: its folder can
// hold nothing the user could not write anyway) still refuses and remakes
// links and files, but takes a level with any access list. Wine keeps no
// owner or protected list (it reports the user as owner whatever was set),
// so only there the updater runs this way.
std::wstring PrepareProtectedFolder(const std::wstring& root, const std::wstring& relative, bool requireProtection,
                                   std::wstring& reason);

// Whether `folder` is what PrepareProtectedFolder leaves: not a link, owned
// by Administrators or SYSTEM, a protected list granting only those two.
bool IsProtectedFolder(const std::wstring& folder);

}  // namespace corvane
