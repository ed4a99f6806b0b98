#include <windows.h>

#include "base/F3DLogHTML.h"

namespace corvane {

void WriteDebuggerOutput(const std::wstring& text) { OutputDebugStringW((text + L"\n").c_str()); }

unsigned long CurrentThreadNumber() { return GetCurrentThreadId(); }

}  // namespace corvane
