#pragma once
// The property dialog's display texts, made from one media record.
#include <string>

#include "engine/VideoPropertyInfo.h"

namespace corvane {

// "%.2f kb/s" of the overall bit rate; empty when it is 0.
std::wstring BitrateText(const SVideoPropertyInfo& info);
// "%.2f kb/s" of the audio bit rate; empty when it is 0.
std::wstring AudioBitrateText(const SVideoPropertyInfo& info);
// "%.2f fps"; empty when the frame rate is 0.
std::wstring FrameRateText(const SVideoPropertyInfo& info);
// "640x360 " + pixelsWord (already translated); empty unless both the
// width and the height are known.
std::wstring DimensionsText(const SVideoPropertyInfo& info, const std::wstring& pixelsWord);

}  // namespace corvane
