#pragma once
// Whether the inputs of a fast join can be stream-copied into one file.
//
// The concat demuxer copies packets as they are: inputs whose codecs, frame
// sizes or audio formats differ give a file that players show wrongly (and
// whose length is wrong), yet the tool reports no error. So the inputs are
// compared with the first before anything is copied.
#include <optional>
#include <string>
#include <vector>

#include "engine/VideoPropertyInfo.h"

namespace corvane {

struct SInputMismatch {
  size_t index = 0;         // of the first input that differs from the first one
  std::wstring what;        // English: "video codec", "frame size", "audio codec", "sample rate", "channels"
  std::wstring value;       // the differing input's, "none" for a missing stream
  std::wstring firstValue;  // the first input's
};

// The first input (in list order) that differs from the first one in video
// codec, frame size, audio codec, sample rate or channel layout, with what
// differs; none when all agree.
std::optional<SInputMismatch> FindInputMismatch(const std::vector<SVideoPropertyInfo>& records);

}  // namespace corvane
