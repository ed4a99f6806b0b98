#pragma once
// Reading progress from one block of the media tool's output.
#include <cstdint>
#include <string>

namespace corvane {

struct SProgressBlock {
  int64_t seconds = 0;  // a duration or a time position, -1 on a failure text
  bool isTime = false;  // true: "time=" position; false: "Duration:" total
  bool isError = false;
};

// Looks at one output block on its own (a line split across two blocks is
// seen in neither), reading only lines the tool writes itself; a file's name
// or title that mentions a duration or a time is none of them. The first
// rule that matches decides:
//   a line "  Duration: h:m:s.ff, ..."        total duration
//   a status line starting "frame=" or "size=" with " time=h:m:s.ff" (old
//     tools: " time=s.ff")                    position, from the block's last one
//   a failure text (ContainsFailureText)      error, isTime true (the caller ends the step as failed)
//   "Invalid data found when processing input"  error, isTime false (ignored by the caller)
// Never throws on any text. A clock that is not one ("N/A"), a negative
// clock, or one too large for 64-bit seconds gives 0 (nothing to show).
SProgressBlock ParseProgressBlock(const std::string& block);

// True when text holds, on a line that is not indented (indented lines
// describe the inputs and carry their metadata), one of the tool's texts
// for a step that failed:
// "encoding failed" in any case (old tools print "Video encoding failed",
// current ones "video encoding failed"), "Error while opening encoder" and
// "Conversion failed!", which current tools print last on most failures,
// "Error initializing output stream" and "Could not write header" (a
// container that refuses a stream).
bool ContainsFailureText(const std::string& text);

// The longest failure text, less one: what a reader must keep of a block to
// find a failure text split across two blocks.
size_t FailureTextOverlap();

}  // namespace corvane
