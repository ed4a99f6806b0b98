#pragma once
// The program-wide view flag byte. Bits switch parts of the program's own
// pages off; nothing in the joiner sets any yet, so it starts as 0 and every
// part is shown.
#include <cstdint>

namespace corvane {

// The preview page shows no top bar (no bar frame, taller player).
constexpr uint8_t kProgramFlagNoBar = 0x10;

uint8_t ProgramFlags();
void SetProgramFlags(uint8_t flags);

}  // namespace corvane
