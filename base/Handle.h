#pragma once
// Owner of one kernel HANDLE (Windows only: include from _win.cpp files).
#include <windows.h>

namespace corvane {

// Move-only; closes the handle when destroyed. Handles that use
// INVALID_HANDLE_VALUE as "none" (files) are treated as empty too.
class CHandle {
 public:
  CHandle() = default;
  explicit CHandle(HANDLE handle) : m_handle(handle) {}
  ~CHandle() { Close(); }
  CHandle(const CHandle&) = delete;
  CHandle& operator=(const CHandle&) = delete;
  CHandle(CHandle&& other) noexcept : m_handle(other.Detach()) {}
  CHandle& operator=(CHandle&& other) noexcept {
    if (this != &other) Reset(other.Detach());
    return *this;
  }

  HANDLE Get() const { return m_handle; }
  bool IsValid() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }
  explicit operator bool() const { return IsValid(); }

  // For out-parameters: closes what is held and gives the slot.
  HANDLE* Put() {
    Close();
    return &m_handle;
  }
  HANDLE Detach() {
    HANDLE handle = m_handle;
    m_handle = nullptr;
    return handle;
  }
  void Reset(HANDLE handle = nullptr) {
    Close();
    m_handle = handle;
  }
  void Close() {
    if (IsValid()) CloseHandle(m_handle);
    m_handle = nullptr;
  }

 private:
  HANDLE m_handle = nullptr;
};

}  // namespace corvane
