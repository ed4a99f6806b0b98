#pragma once
// What every fuzz target shares: wide text made from the fuzzer's bytes in
// one defined way, and a check that stops the run (the fuzzer then keeps the
// input) when a reader breaks its own contract.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace corvane::fuzz {

// Bytes that start with FF FE are UTF-16LE after those two: two bytes per
// code unit (an odd last byte is dropped), so any code unit Windows could
// hand over can appear, lone surrogates included; where wchar_t holds whole
// code points (natively) a high + low surrogate pair becomes one character,
// as the program's own conversions do. Any other bytes are one character
// each (U+0000 to U+00FF), so plain text seeds and dictionaries work.
inline std::wstring WideFromBytes(std::string_view bytes) {
  std::wstring text;
  if (bytes.size() < 2 || static_cast<uint8_t>(bytes[0]) != 0xFF || static_cast<uint8_t>(bytes[1]) != 0xFE) {
    for (char c : bytes) text.push_back(static_cast<wchar_t>(static_cast<uint8_t>(c)));
    return text;
  }
  const auto unit = [&](size_t i) {
    return static_cast<uint32_t>(static_cast<uint8_t>(bytes[i])) | (static_cast<uint32_t>(static_cast<uint8_t>(bytes[i + 1])) << 8);
  };
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    uint32_t cp = unit(i);
    if constexpr (sizeof(wchar_t) == 4) {
      if (cp >= 0xD800 && cp < 0xDC00 && i + 3 < bytes.size()) {
        const uint32_t low = unit(i + 2);
        if (low >= 0xDC00 && low < 0xE000) {
          cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
          i += 2;
        }
      }
    }
    text.push_back(static_cast<wchar_t>(cp));
  }
  return text;
}

inline std::string_view AsText(const uint8_t* data, size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}

[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, what);
  std::abort();
}

}  // namespace corvane::fuzz

#define FUZZ_CHECK(condition) \
  ((condition) ? (void)0 : ::corvane::fuzz::Fail(#condition, __FILE__, __LINE__))
