#pragma once
// Which of the main window's controls are enabled, from the file list and
// the join's state.
#include <cstddef>

#include "engine/JoinMode.h"

namespace corvane {

struct SButtonStates {
  bool join = false;
  bool moveUp = false;
  bool moveDown = false;
  bool add = false;  // also governs drops on the file list
  bool remove = false;
  bool play = false;
  bool property = false;
  bool cancel = false;
};

// fileCount: files in the job's list; mode: the join controller's step.
//
// The list may be changed only while no job runs (a job reads it and empties
// it when it ends, so a file added meanwhile would be lost); Cancel is
// offered exactly while a job runs, whatever the cancel flag says (the flag
// is cleared by every probe, so it does not tell whether a job runs).
SButtonStates ComputeButtonStates(size_t fileCount, EJoinMode mode);

}  // namespace corvane
