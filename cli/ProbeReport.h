#pragma once
// The probe record as the command-line joiner prints it.
#include <string>

#include "engine/VideoPropertyInfo.h"

namespace corvane {

// One "field: value" line per field, in the record's field order and names.
std::string FormatProbeReport(const SVideoPropertyInfo& info);

}  // namespace corvane
