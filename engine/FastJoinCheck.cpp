#include "engine/FastJoinCheck.h"

#include <functional>

namespace corvane {
namespace {

std::wstring OrNone(const std::wstring& value) { return value.empty() ? L"none" : value; }

std::wstring FrameSize(const SVideoPropertyInfo& info) {
  if (info.width == 0 || info.height == 0) return L"none";
  return std::to_wstring(info.width) + L"x" + std::to_wstring(info.height);
}

struct SAspect {
  const wchar_t* what;
  std::function<std::wstring(const SVideoPropertyInfo&)> value;
};

const std::vector<SAspect>& Aspects() {
  static const std::vector<SAspect> aspects = {
      {L"video codec", [](const SVideoPropertyInfo& i) { return OrNone(SVideoPropertyInfo::CodecName(i.videoCodec)); }},
      {L"frame size", FrameSize},
      {L"audio codec", [](const SVideoPropertyInfo& i) { return OrNone(SVideoPropertyInfo::CodecName(i.audioCodec)); }},
      {L"sample rate", [](const SVideoPropertyInfo& i) { return OrNone(i.audioSampleRate); }},
      {L"channels", [](const SVideoPropertyInfo& i) { return OrNone(i.audioChannels); }},
  };
  return aspects;
}

}  // namespace

std::optional<SInputMismatch> FindInputMismatch(const std::vector<SVideoPropertyInfo>& records) {
  for (size_t index = 1; index < records.size(); ++index) {
    for (const SAspect& aspect : Aspects()) {
      const std::wstring first = aspect.value(records.front());
      const std::wstring value = aspect.value(records[index]);
      if (value != first) return SInputMismatch{index, aspect.what, value, first};
    }
  }
  return std::nullopt;
}

}  // namespace corvane
