#pragma once
// Transfer speed, recomputed about once per accumulated second.
#include <cstdint>

namespace corvane {

class SpeedMeter {
 public:
  // Adds the milliseconds since the previous chunk; once a second has
  // gathered, the speed is the bytes since the last computation over the
  // gathered time, and the time past the full second is carried over.
  void Update(uint32_t elapsedMs, uint64_t received);
  void Reset() { *this = SpeedMeter(); }

  float BytesPerSecond() const { return m_speed; }

 private:
  uint64_t m_lastReceived = 0;
  uint32_t m_accumulatedMs = 0;
  float m_speed = 0.0f;
};

}  // namespace corvane
