#include "engine/ProgressPosition.h"

#include <algorithm>

namespace corvane {
namespace {

// Far past any bar position, and far enough from int's limits that the sums
// below cannot overflow. The tool's time and duration come from its output,
// so their ratio can be anything (time=99999999 against a one-second
// duration); a float outside int's range may not be converted at all.
constexpr float kPositionLimit = 1000000.0f;

int Truncate(float value) {
  if (!(value > -kPositionLimit)) return static_cast<int>(-kPositionLimit);  // NaN included
  if (value > kPositionLimit) return static_cast<int>(kPositionLimit);
  return static_cast<int>(value);
}

int ToMpegPosition(const SProgressInput& in, float time, float duration) {
  const float share = (1.0f / static_cast<float>(2 * in.fileCount)) * 100.0f;
  const int done = in.fileCount - in.queueLength - 1;
  return done * Truncate(share) + Truncate(time * share / duration);
}

}  // namespace

std::optional<int> ComputeProgressPosition(const SProgressInput& in) {
  if (in.currentTime == 0 || in.totalDuration == 0) return std::nullopt;
  const float time = static_cast<float>(in.currentTime);
  const float duration = static_cast<float>(in.totalDuration);
  switch (in.mode) {
    case kJoinToMpeg:
      if (in.fileCount <= 0) return 0;
      return ToMpegPosition(in, time, duration);
    case kJoinFastRoute:
      // The stream copy is the whole job; 100 is set when its file is checked.
      return std::min(99, Truncate(time * 100.0f / duration));
    case kJoinByteCopy:
      return 50;
    case kJoinFinalAvi:
    case kJoinFinalFlv:
    case kJoinFinalRm:
    case kJoinFinalWmv:
      return 50 + Truncate(time * 50.0f / duration);
    case kJoinMp4Pass1:
      return 50 + Truncate(time * 10.0f / duration);
    case kJoinMp4Pass2:
      return 60 + Truncate(time * 40.0f / duration);
    default:
      return 0;
  }
}

}  // namespace corvane
