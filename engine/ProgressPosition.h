#pragma once
// Where the progress bar stands for a step of the join.
#include <cstdint>
#include <optional>

#include "engine/JoinMode.h"

namespace corvane {

struct SProgressInput {
  EJoinMode mode = kJoinIdle;
  int64_t currentTime = 0;    // seconds, from the step's "time=" lines
  int64_t totalDuration = 0;  // seconds, from the step's "Duration:" line
  int fileCount = 0;          // files in the job
  int queueLength = 0;        // inputs not yet taken from the queue
};

// The bar position (0 to 100 in normal runs), or nothing while the step has
// not reported both a time and a duration. The conversions to MPEG share the
// first half equally, the byte copy sits at 50, a final conversion fills the
// second half (MP4: pass 1 up to 60, pass 2 up to 100). Values are computed
// in single precision and truncated toward zero, and deliberately not
// clamped to the step's share: a time past the duration shows more. Only a
// ratio beyond a million is cut there (the tool's figures can be anything).
std::optional<int> ComputeProgressPosition(const SProgressInput& in);

}  // namespace corvane
