#pragma once
// Copying a control's caption into a caller's buffer: the rule behind the
// caption query of the program's links and image buttons, which the
// language manager uses with a buffer of its own size.
#include <cstddef>
#include <string>

namespace corvane {

// Copies `label` into `buffer` of `length` characters, always ending it with
// a terminating zero and never writing past `length`. A label that does not
// fit is cut; a cut never leaves half of a surrogate pair at the end.
// Length 0 (or no buffer) writes nothing. Returns the characters copied,
// not counting the terminator.
size_t CopyLabelToBuffer(const std::wstring& label, wchar_t* buffer, size_t length);

}  // namespace corvane
