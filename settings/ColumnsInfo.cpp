#include "settings/ColumnsInfo.h"

namespace corvane {
namespace {

void PutU32(TByteVector& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint32_t GetU32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

}  // namespace

TByteVector EncodeColumnsInfo(const TColumnLayout& layout) {
  TByteVector out;
  out.reserve(kColumnsInfoHeaderSize + kColumnsInfoRecordSize * layout.size());
  PutU32(out, static_cast<uint32_t>(layout.size()));
  for (const SColumnInfo& column : layout) {
    PutU32(out, static_cast<uint32_t>(column.order));
    PutU32(out, static_cast<uint32_t>(column.width));
    out.push_back(column.visible);
  }
  return out;
}

bool DecodeColumnsInfo(const TByteVector& bytes, TColumnLayout& layout) {
  if (bytes.size() < kColumnsInfoHeaderSize) return false;
  const uint64_t count = GetU32(bytes.data());
  // 64-bit arithmetic: a hostile count cannot wrap the size check.
  if (bytes.size() - kColumnsInfoHeaderSize < count * kColumnsInfoRecordSize) return false;
  TColumnLayout decoded(static_cast<size_t>(count));
  const uint8_t* p = bytes.data() + kColumnsInfoHeaderSize;
  for (SColumnInfo& column : decoded) {
    column.order = static_cast<int32_t>(GetU32(p));
    column.width = static_cast<int32_t>(GetU32(p + 4));
    column.visible = p[8];
    p += kColumnsInfoRecordSize;
  }
  layout = std::move(decoded);
  return true;
}

}  // namespace corvane
