#pragma once
// How a stored preference value reads back as text, integer or bytes.
//
// Both stores (the registry and the native file store) keep a value as a
// type tag plus the exact bytes the registry would hold: REG_SZ text is
// UTF-16LE with its terminating zero, REG_DWORD is 4 little-endian bytes.
// The read rules below therefore behave the same in both stores, including
// the odd cases (a text read as an integer, an empty text read as text).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

using TByteVector = std::vector<uint8_t>;

// The registry's numbers for the value types the program stores.
enum class EPreferenceValueType : uint32_t {
  kString = 1,  // REG_SZ
  kBinary = 3,  // REG_BINARY
  kDword = 4,   // REG_DWORD
};

struct SPreferenceValue {
  EPreferenceValueType type = EPreferenceValueType::kBinary;
  TByteVector bytes;
};

// REG_SZ bytes of a text: UTF-16LE code units and a terminating zero unit.
TByteVector EncodeStringValue(const std::wstring& text);
// The text in REG_SZ-style bytes: size / 2 code units, cut at the first zero
// unit (an odd trailing byte is ignored).
std::wstring DecodeStringValue(const TByteVector& bytes);
// REG_DWORD bytes of an integer.
TByteVector EncodeIntValue(int32_t value);

// GetString: the stored text when it is non-empty, otherwise the default
// (a stored empty text also gives the default).
std::wstring StringOrDefault(const std::optional<TByteVector>& stored, const std::wstring& fallback);
// GetInt: whatever the type, a value of at most 4 bytes fills the integer
// from its low end (a REG_SZ "1" reads as 0x31); a longer or missing value
// gives the default.
int32_t IntOrDefault(const std::optional<TByteVector>& stored, int32_t fallback);

}  // namespace corvane
