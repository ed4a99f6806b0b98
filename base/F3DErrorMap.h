#pragma once
// Which file cause (CF3DFileException::ECause) a system failure stands for.
#include <cstdint>

namespace corvane {

// Windows system error code (GetLastError) to file cause; unlisted codes give 1.
// Pure data: available and tested on every platform.
int32_t FileCauseFromWindowsError(uint32_t code);

#ifndef _WIN32
// errno value to the file cause of the same meaning (native build only).
int32_t FileCauseFromErrno(int error);
#endif

}  // namespace corvane
