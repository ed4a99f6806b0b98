#include "app/ProgramFlags.h"

namespace corvane {
namespace {

// Read and written on the user-interface thread only.
uint8_t g_programFlags = 0;

}  // namespace

uint8_t ProgramFlags() { return g_programFlags; }
void SetProgramFlags(uint8_t flags) { g_programFlags = flags; }

}  // namespace corvane
