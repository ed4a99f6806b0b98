#pragma once
// The preference store: typed values addressed by (section, key).
//
// One store exists per process, made by the factory's type 0 during static
// initialisation (the registry on Windows, a file under the user's
// configuration folder natively) and published with InstallPreference,
// which also registers its destruction at priority 80. It therefore
// outlives every object that writes settings at exit (those carry higher
// priorities). Other instances (test stores) are plain objects.
//
// Failures are quiet by design: a store that cannot be opened gives the
// defaults and the writes return false; nothing is shown or logged.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/Singleton.h"
#include "settings/PreferenceValue.h"

namespace corvane {

enum EPreferenceType : int {
  kPreferenceTypeDefault = 0,  // the platform's store
};

class CPreference {
 public:
  virtual ~CPreference() = default;

  // Hooks the registry store leaves empty: push pending changes out, and
  // point the store at another location (the file store takes a file path).
  virtual void Flush() {}
  virtual void SetLocation(const wchar_t* location) {}

  virtual std::wstring GetString(const wchar_t* section, const wchar_t* key, const wchar_t* fallback) = 0;
  // With a null `value` the value is deleted; with a null `key` the whole
  // section is deleted.
  virtual bool WriteString(const wchar_t* section, const wchar_t* key, const wchar_t* value) = 0;
  virtual int32_t GetInt(const wchar_t* section, const wchar_t* key, int32_t fallback) = 0;
  virtual bool WriteInt(const wchar_t* section, const wchar_t* key, int32_t value) = 0;
  // On failure returns false and leaves `out` unchanged; an empty stored
  // value succeeds and leaves `out` unchanged too.
  virtual bool GetBinary(const wchar_t* section, const wchar_t* key, TByteVector& out) = 0;
  virtual bool WriteBinary(const wchar_t* section, const wchar_t* key, const uint8_t* data, size_t count) = 0;
  bool WriteBinary(const wchar_t* section, const wchar_t* key, const TByteVector& bytes) {
    return WriteBinary(section, key, bytes.empty() ? nullptr : bytes.data(), bytes.size());
  }

 protected:
  CPreference() = default;
  CPreference(const CPreference&) = delete;
  CPreference& operator=(const CPreference&) = delete;
};

// Publishes `store` as the process's store (taking ownership) and registers
// its destruction at priority 80; the published pointer is cleared then.
void InstallPreference(CPreference* store);

// The process's store; null before static initialisation made it and after
// it was destroyed at exit. Linking this getter also links the platform's
// store and its static registration.
CPreference* GetPreference();
// The published store without pulling in the platform's store (for code
// that must also work where no store was linked).
CPreference* PublishedPreference();

}  // namespace corvane
