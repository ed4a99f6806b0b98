#pragma once
// Ordering of version texts such as "v2.10" and "2.9.1".
#include <string>

namespace corvane {

// Compares the dotted numbers part by part as numbers: a leading "v" (or
// "V") is ignored and a missing part counts 0, so "v2.2" equals "2.2.0" and
// "v2.10" is above "v2.9". When either text is not a version (empty, letters,
// empty parts, numbers too long to read) the two compare equal: the check
// then offers nothing rather than guessing. <0, 0 or >0 as for strcmp.
int CompareVersions(const std::wstring& a, const std::wstring& b);

// Whether CompareVersions can read `text` as a version.
bool IsVersionText(const std::wstring& text);

}  // namespace corvane
