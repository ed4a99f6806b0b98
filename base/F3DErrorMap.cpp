#include "base/F3DErrorMap.h"

#include <iterator>

namespace corvane {
namespace {

struct SCodeCause {
  uint32_t code;
  int32_t cause;
};

// System error codes with a file cause of their own; everything else is the
// unknown error (1).
const SCodeCause kWindowsErrorCauses[] = {
    {0, 0},
    {2, 2}, {6, 2}, {18, 2}, {107, 2},
    {3, 3}, {15, 3}, {17, 3}, {34, 3}, {52, 3}, {53, 3}, {55, 3}, {67, 3}, {70, 3},
    {85, 3}, {111, 3}, {123, 3}, {124, 3}, {125, 3}, {144, 3}, {154, 3}, {161, 3},
    {206, 3}, {208, 3}, {267, 3},
    {4, 4}, {36, 4}, {68, 4}, {113, 4},
    {5, 5}, {12, 5}, {19, 5}, {29, 5}, {54, 5}, {58, 5}, {64, 5}, {65, 5}, {71, 5},
    {80, 5}, {82, 5}, {86, 5}, {170, 5}, {183, 5}, {999, 5},
    {11, 6}, {26, 6}, {60, 6}, {66, 6}, {114, 6}, {182, 6}, {191, 6}, {193, 6},
    {16, 7}, {145, 7},
    {62, 8},
    {24, 9}, {25, 9}, {27, 9}, {30, 9}, {131, 9}, {132, 9},
    {20, 10}, {21, 10}, {22, 10}, {23, 10}, {57, 10}, {59, 10}, {88, 10}, {117, 10},
    {995, 10}, {996, 10}, {997, 10},
    {32, 11},
    {33, 12}, {108, 12}, {167, 12},
    {39, 13}, {112, 13},
    {38, 14},
    {87, 15},
};

}  // namespace

int32_t FileCauseFromWindowsError(uint32_t code) {
  for (const SCodeCause& entry : kWindowsErrorCauses) {
    if (entry.code == code) return entry.cause;
  }
  return 1;
}

}  // namespace corvane
