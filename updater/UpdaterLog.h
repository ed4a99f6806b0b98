#pragma once
// The updater's log (Windows only: include from _win.cpp files).
//
// It is written to the user's own folder ("<user folder>Logs\V3ILog.htm"),
// where the user can open it and send it in without administrator rights.
// The updater writes it elevated, though, and the user's own programs can
// change that folder at any moment: a symbolic link or a junction in place
// of the file or of a folder on its way, or a second name (hard link) of a
// file elsewhere, would carry an administrator's write (and the emptying of
// the old log) to a file the user may not touch.
//
// So the file is never opened through a link, and what was opened is
// checked by its handle before a byte is written or the old log emptied:
// opened without following a link at its own name and without emptying it;
// then it must be a plain file with no other name, and the system's own
// path of the handle must be the path asked for, so a link on any folder on
// the way (even one put there after any check of the folders) shows. A file
// that fails is closed untouched (removed when this open made it), and the
// log goes to the debugger only. Writing under the updater's protected
// folder instead would need no checks, but only administrators could read
// the log there.
#include <memory>
#include <string>

#include "base/F3DFile.h"
#include "base/F3DLogHTML.h"

namespace corvane {

// Opens `path` for the log as described above, emptied; nullptr when it is
// reached through a link, has other names, or cannot be opened.
std::unique_ptr<CF3DFile> OpenLogFileWithoutLinks(const std::wstring& path);

// Points `log` at "<userFolder>Logs\V3ILog.htm" (`userFolder` ends with a
// backslash), opened with OpenLogFileWithoutLinks.
void StartUpdaterLog(CF3DLogHTML& log, const std::wstring& userFolder);

}  // namespace corvane
