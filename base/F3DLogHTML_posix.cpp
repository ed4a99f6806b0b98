#include <sys/syscall.h>
#include <unistd.h>

#include "base/F3DLogHTML.h"

namespace corvane {

// Natively there is no debugger output channel; the log file is the record.
void WriteDebuggerOutput(const std::wstring&) {}

unsigned long CurrentThreadNumber() { return static_cast<unsigned long>(syscall(SYS_gettid)); }

}  // namespace corvane
