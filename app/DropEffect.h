#pragma once
// Which effect a drag over the file list shows, from the keys held and what
// the source allows. Values as the system's drop effects and key flags.
#include <cstdint>

namespace corvane {

constexpr uint32_t kDropNone = 0, kDropCopy = 1, kDropMove = 2, kDropLink = 4;
constexpr uint32_t kKeyShift = 0x4, kKeyControl = 0x8;

// None without a file list. Control+Shift: link; Control: copy; Shift: move;
// no key: the first of copy, move, link that the source allows. A key-chosen
// effect the source does not allow gives none.
uint32_t ChooseDropEffect(bool hasFileList, uint32_t keyState, uint32_t allowed);

}  // namespace corvane
