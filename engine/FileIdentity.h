#pragma once
// Whether two names lead to one and the same file.
//
// Names are compared by what they open, not by their text: a symbolic or
// hard link, and on Windows another spelling of the name (letter case, the
// short 8.3 form, a "\\?\" or UNC form), all lead to the file they name.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// True when a and b both exist and are one file. A name that does not
// exist, or whose file cannot be looked at, is nobody's twin.
bool IsSameFile(const std::wstring& a, const std::wstring& b);

// Hears each name just before it is opened.
using NameHandler = std::function<void(const std::wstring& name)>;

// The index of the first of candidates that is the very file `file` names;
// none when there is no such candidate (or when `file` does not exist: then
// no candidate is opened at all). onOpening, when given, hears `file`
// first, then each candidate, as it comes to be opened.
std::optional<size_t> FindSameFile(const std::wstring& file, const std::vector<std::wstring>& candidates,
                                   const NameHandler& onOpening = {});

}  // namespace corvane
