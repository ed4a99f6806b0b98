#pragma once
// The checks an elevated updater makes on the hand-off record before it
// acts on it. The record comes from a command line anyone can write, and
// the updater runs with administrator rights over the program folder.
#include <string>
#include <vector>

#include "updater/UpdaterData.h"

namespace corvane {

// Whether the text is an http or https address (scheme without regard to
// case, followed by "://" and a host). Anything else would reach the shell
// as a program or document to open.
bool IsWebAddress(const std::wstring& url);

// Whether the text is a bare file name ending in ".exe": no folder, drive or
// stream part, no device name, nothing Windows cannot hold in a name.
bool IsBareProgramName(const std::wstring& name);

// Whether the text is an absolute folder: "X:\..." or "\\server\share...".
bool IsAbsoluteFolder(const std::wstring& folder);

// Clears what may not be used (addresses that are not web addresses, a
// program name that is not bare) and puts `fallbackTempFolder` in place of
// a temporary folder that is not absolute; a folder without its trailing
// backslash gets one. Returns one English line per refusal, for the log.
std::vector<std::wstring> CheckHandOffRecord(SUpdaterRecord& record, const std::wstring& fallbackTempFolder);

}  // namespace corvane
