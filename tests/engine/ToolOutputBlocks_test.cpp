// The media tool's output reaches the handlers in whole UTF-8 characters,
// however the pipe cuts it.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/ToolOutputBlocks.h"

using namespace corvane;

namespace {

// Hands out text in reads of the given sizes, then the end.
ReadToolOutput ReadsOf(const std::string& text, std::vector<size_t> sizes) {
  return [text, sizes, at = size_t{0}, next = size_t{0}](char* buffer, size_t size) mutable -> size_t {
    if (at >= text.size()) return 0;
    size_t n = next < sizes.size() ? sizes[next++] : text.size() - at;
    n = std::min({n, size, text.size() - at});
    text.copy(buffer, n, at);
    at += n;
    return n;
  };
}

// "é", "日本" and a four-byte character, each cut at every inner byte.
TEST(ToolOutputBlocks, CharactersCutByTheReadsArriveWhole) {
  const std::string text = "from 'C:\\caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x8E\xAC.mp4':\r\n  Duration: 00:00:02.00";
  for (size_t cut = 1; cut < text.size(); ++cut) {
    std::vector<std::string> blocks;
    TStdStr<char> accumulated;
    FeedToolOutput(ReadsOf(text, {cut, 1, 2, 3}), accumulated, [&blocks](TStdStr<char>&, const TStdStr<char>& block) {
      blocks.push_back(block);
      return true;
    });
    std::string joined;
    for (const std::string& block : blocks) {
      EXPECT_EQ(CompleteUtf8Length(block), block.size()) << "cut after " << cut << ": block \"" << block << "\"";
      EXPECT_FALSE(block.empty());
      joined += block;
    }
    EXPECT_EQ(joined, text) << "cut after " << cut;
  }
}

// A tool that ends in the middle of a character, or prints bytes that are
// not UTF-8 at all, loses none of them.
TEST(ToolOutputBlocks, UnfinishedOrForeignBytesAreHandedOnAtTheEnd) {
  for (const std::string& text : {std::string("time=00:00:01.00 \xE6\x97"), std::string("\x80\x80\x80\x80\x80 \xFF")}) {
    std::string joined;
    TStdStr<char> accumulated;
    FeedToolOutput(ReadsOf(text, {1, 1, 1}), accumulated, [&joined](TStdStr<char>&, const TStdStr<char>& block) {
      joined += block;
      return true;
    });
    EXPECT_EQ(joined, text);
  }
}

TEST(ToolOutputBlocks, HandlerFalseOrThrowingStopsTheReading) {
  int reads = 0;
  const ReadToolOutput endless = [&reads](char* buffer, size_t) -> size_t {
    ++reads;
    buffer[0] = 'x';
    return 1;
  };
  TStdStr<char> accumulated;
  FeedToolOutput(endless, accumulated, [](TStdStr<char>&, const TStdStr<char>&) { return false; });
  EXPECT_EQ(reads, 1);
  FeedToolOutput(endless, accumulated, [](TStdStr<char>&, const TStdStr<char>&) -> bool {
    throw std::runtime_error("bad block");
  });
  EXPECT_EQ(reads, 2);
}

}  // namespace
