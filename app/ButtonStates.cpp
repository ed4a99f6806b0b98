#include "app/ButtonStates.h"

namespace corvane {

SButtonStates ComputeButtonStates(size_t fileCount, EJoinMode mode) {
  const bool idle = mode == kJoinIdle;
  SButtonStates states;
  states.join = idle && fileCount >= 2;
  states.moveUp = fileCount >= 2;
  states.moveDown = fileCount >= 2;
  states.add = idle;
  states.remove = idle && fileCount >= 1;
  states.play = fileCount >= 1;
  states.property = fileCount >= 1;
  states.cancel = !idle;
  return states;
}

}  // namespace corvane
