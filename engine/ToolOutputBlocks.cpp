#include "engine/ToolOutputBlocks.h"

#include <algorithm>
#include <string>

namespace corvane {
namespace {

constexpr size_t kReadBlockSize = 4096;
constexpr size_t kLongestUtf8Character = 4;

bool IsContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length a lead byte announces; 1 for a byte that cannot start a longer
// character.
size_t AnnouncedLength(unsigned char lead) {
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

}  // namespace

size_t CompleteUtf8Length(std::string_view bytes) {
  const size_t size = bytes.size();
  for (size_t back = 1; back <= std::min(kLongestUtf8Character, size); ++back) {
    const auto byte = static_cast<unsigned char>(bytes[size - back]);
    if (IsContinuationByte(byte)) continue;
    return AnnouncedLength(byte) > back ? size - back : size;
  }
  return size;
}

void FeedToolOutput(const ReadToolOutput& read, TStdStr<char>& accumulated, const OutputChunkHandler& onChunk) {
  std::string pending;
  char buffer[kReadBlockSize];
  for (;;) {
    const size_t n = read(buffer, kReadBlockSize);
    const bool ended = n == 0;
    pending.append(buffer, n);
    const size_t complete = ended ? pending.size() : CompleteUtf8Length(pending);
    if (complete > 0) {
      const TStdStr<char> block(pending, 0, complete);
      pending.erase(0, complete);
      try {
        if (!onChunk || !onChunk(accumulated, block)) return;
      } catch (...) {
        return;  // a failing handler ends the run like a handler returning false
      }
    }
    if (ended) return;
  }
}

}  // namespace corvane
