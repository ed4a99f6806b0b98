#pragma once
// The text form of a preference table, used by the native file store:
//
//   [Config]
//   RunCount=dword:0
//   SaveTo=sz:c:\VideoOutput
//   [Downloaded]
//   ColumnsInfo=binary:030000000000000064000000...
//
// UTF-8. Names and texts escape '%', '=', '[', ']', ';' and control characters
// as %XX (the UTF-8 byte in hex); binary values are hex bytes. Lines that do
// not parse are skipped so a damaged line costs only that value.
#include <string>

#include "settings/PreferenceTable.h"

namespace corvane {

std::string FormatPreferenceFile(const CPreferenceTable& table);
CPreferenceTable ParsePreferenceFile(const std::string& text);

}  // namespace corvane
