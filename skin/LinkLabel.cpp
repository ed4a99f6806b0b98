#include "skin/LinkLabel.h"

namespace corvane {
namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

size_t CopyLabelToBuffer(const std::wstring& label, wchar_t* buffer, size_t length) {
  if (!buffer || length == 0) return 0;
  size_t count = label.size() < length - 1 ? label.size() : length - 1;
  // Only UTF-16 has pairs; where wchar_t is 32 bits no value is a surrogate.
  if (count < label.size() && count > 0 && IsHighSurrogate(label[count - 1])) --count;
  label.copy(buffer, count);
  buffer[count] = L'\0';
  return count;
}

}  // namespace corvane
