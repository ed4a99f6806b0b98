#pragma once
// Hands the media tool's output to a chunk handler, block by block.
//
// The tool writes UTF-8 (on Windows too, whatever the system's code page),
// and a read from its pipe may end inside a character: the bytes of an
// unfinished character are held back and handed on with the next block, so
// every block a handler sees is whole text.
#include <cstddef>
#include <functional>
#include <string_view>

#include "engine/ToolRunner.h"

namespace corvane {

// The length of the longest prefix of bytes that does not end inside a
// UTF-8 character. Bytes that are not UTF-8 count as complete.
size_t CompleteUtf8Length(std::string_view bytes);

// Reads at most size bytes into buffer: how many were read, 0 at the end of
// the output or on an error.
using ReadToolOutput = std::function<size_t(char* buffer, size_t size)>;

// Feeds what read brings to onChunk until the end of the output, the
// handler's false, or an exception from the handler (which ends it the same
// way). Bytes still held back at the end are handed on as they are.
void FeedToolOutput(const ReadToolOutput& read, TStdStr<char>& accumulated, const OutputChunkHandler& onChunk);

}  // namespace corvane
