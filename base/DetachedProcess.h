#pragma once
// Starting a program that this one does not wait for.
#include <string>

namespace corvane {

// Starts `application` (empty: the first word of `commandLine`) with
// `commandLine` (empty: none), no handles inherited, and lets go of it at
// once. False when the system refuses; GetLastError() then tells why.
bool StartDetachedProcess(const std::wstring& application, const std::wstring& commandLine);

}  // namespace corvane
