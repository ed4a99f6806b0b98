#pragma once
// Owner of one open registry key (Windows only: include from _win.cpp files).
#include <windows.h>

namespace corvane {

class CRegKey {
 public:
  CRegKey() = default;
  ~CRegKey() { Close(); }
  CRegKey(const CRegKey&) = delete;
  CRegKey& operator=(const CRegKey&) = delete;
  CRegKey(CRegKey&& other) noexcept : m_key(other.m_key) { other.m_key = nullptr; }

  HKEY Get() const { return m_key; }
  explicit operator bool() const { return m_key != nullptr; }
  HKEY* Put() {
    Close();
    return &m_key;
  }
  void Close() {
    if (m_key) RegCloseKey(m_key);
    m_key = nullptr;
  }

 private:
  HKEY m_key = nullptr;
};

}  // namespace corvane
