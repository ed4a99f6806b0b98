#pragma once
// The address of an HTML page stored in a program file's resources, as the
// browser control's "res:" protocol reads it: "res://" + the module's full
// path + "/" + the resource name (type 23, RT_HTML).
#include <string>

namespace corvane {

// "res://C:\Program Files\Tavrel\Corvane.exe/snap.htm". A path given in the
// long form ("\\?\C:\..." or "\\?\UNC\server\...") is written in its plain
// form, which the protocol understands. Empty when either part is empty.
std::wstring ResourcePageAddress(const std::wstring& modulePath, const std::wstring& pageName);

}  // namespace corvane
