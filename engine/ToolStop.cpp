#include "engine/ToolStop.h"

namespace corvane {

void CToolStop::Stop() {
  std::lock_guard<std::mutex> lock(m_lock);
  m_stopped = true;
  if (m_terminate) m_terminate();
}

void CToolStop::Allow() {
  std::lock_guard<std::mutex> lock(m_lock);
  m_stopped = false;
}

bool CToolStop::IsStopped() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_stopped;
}

bool CToolStop::Attach(Terminate terminate) {
  std::lock_guard<std::mutex> lock(m_lock);
  if (m_stopped) return false;
  m_terminate = std::move(terminate);
  return true;
}

void CToolStop::Detach() {
  std::lock_guard<std::mutex> lock(m_lock);
  m_terminate = nullptr;
}

}  // namespace corvane
