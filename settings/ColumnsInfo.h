#pragma once
// The file list's column layout and its stored form, the "ColumnsInfo" value:
// a little-endian unsigned 32-bit record count, then one 9-byte record per
// column (order, width: signed 32-bit; visible: one byte), no padding.
#include <cstdint>
#include <vector>

#include "settings/PreferenceValue.h"

namespace corvane {

struct SColumnInfo {
  int32_t order = 0;    // display position of the column
  int32_t width = 0;    // pixels
  uint8_t visible = 0;  // 1 = shown, 0 = hidden
  bool operator==(const SColumnInfo& o) const {
    return order == o.order && width == o.width && visible == o.visible;
  }
};

using TColumnLayout = std::vector<SColumnInfo>;

constexpr size_t kColumnsInfoHeaderSize = 4;
constexpr size_t kColumnsInfoRecordSize = 9;

TByteVector EncodeColumnsInfo(const TColumnLayout& layout);

// Decodes a stored value. A value shorter than its count announces (or
// shorter than the count itself) is rejected: returns false and leaves
// `layout` unchanged, so a damaged value never becomes a layout of zeroed
// columns. Bytes after the announced records are ignored.
bool DecodeColumnsInfo(const TByteVector& bytes, TColumnLayout& layout);

}  // namespace corvane
