#include "app/DropEffect.h"

#include <initializer_list>

namespace corvane {

uint32_t ChooseDropEffect(bool hasFileList, uint32_t keyState, uint32_t allowed) {
  if (!hasFileList) return kDropNone;
  const bool control = (keyState & kKeyControl) != 0;
  const bool shift = (keyState & kKeyShift) != 0;
  uint32_t wanted = kDropNone;
  if (control && shift) {
    wanted = kDropLink;
  } else if (control) {
    wanted = kDropCopy;
  } else if (shift) {
    wanted = kDropMove;
  } else {
    for (uint32_t effect : {kDropCopy, kDropMove, kDropLink}) {
      if (allowed & effect) return effect;
    }
    return kDropNone;
  }
  return (allowed & wanted) ? wanted : kDropNone;
}

}  // namespace corvane
