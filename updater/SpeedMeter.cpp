#include "updater/SpeedMeter.h"

namespace corvane {

void SpeedMeter::Update(uint32_t elapsedMs, uint64_t received) {
  m_accumulatedMs += elapsedMs;
  if (m_accumulatedMs < 1000) return;
  m_speed = static_cast<float>(received - m_lastReceived) * 1000.0f / static_cast<float>(m_accumulatedMs);
  m_lastReceived = received;
  m_accumulatedMs -= 1000;
}

}  // namespace corvane
