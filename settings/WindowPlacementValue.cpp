#include "settings/WindowPlacementValue.h"

#include <array>

namespace corvane {
namespace {

constexpr size_t kFieldCount = 11;

std::array<uint32_t, kFieldCount> Fields(const SWindowPlacementValue& p) {
  return {p.length,
          p.flags,
          p.showState,
          static_cast<uint32_t>(p.minX),
          static_cast<uint32_t>(p.minY),
          static_cast<uint32_t>(p.maxX),
          static_cast<uint32_t>(p.maxY),
          static_cast<uint32_t>(p.left),
          static_cast<uint32_t>(p.top),
          static_cast<uint32_t>(p.right),
          static_cast<uint32_t>(p.bottom)};
}

}  // namespace

bool SWindowPlacementValue::operator==(const SWindowPlacementValue& o) const {
  return Fields(*this) == Fields(o);
}

TByteVector EncodeWindowPlacement(const SWindowPlacementValue& placement) {
  TByteVector out;
  out.reserve(SWindowPlacementValue::kSize);
  for (uint32_t field : Fields(placement)) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(field >> (8 * i)));
  }
  return out;
}

bool DecodeWindowPlacement(const TByteVector& bytes, SWindowPlacementValue& placement) {
  if (bytes.size() != SWindowPlacementValue::kSize) return false;
  std::array<uint32_t, kFieldCount> f{};
  for (size_t i = 0; i < kFieldCount; ++i) {
    const uint8_t* p = bytes.data() + 4 * i;
    f[i] = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
  }
  SWindowPlacementValue v;
  v.length = f[0];
  v.flags = f[1];
  v.showState = f[2];
  v.minX = static_cast<int32_t>(f[3]);
  v.minY = static_cast<int32_t>(f[4]);
  v.maxX = static_cast<int32_t>(f[5]);
  v.maxY = static_cast<int32_t>(f[6]);
  v.left = static_cast<int32_t>(f[7]);
  v.top = static_cast<int32_t>(f[8]);
  v.right = static_cast<int32_t>(f[9]);
  v.bottom = static_cast<int32_t>(f[10]);
  placement = v;
  return true;
}

}  // namespace corvane
