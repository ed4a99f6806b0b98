#pragma once
// The MPEG route's join: the intermediates, byte for byte and in order, into
// the joined stream.
#include <functional>
#include <string>
#include <vector>

namespace corvane {

// Joins sources into joined (replacing it). On Windows this is the command
// interpreter's "copy /b" run through RunTool; natively there is no command
// interpreter and the bytes are copied here. keepGoing (may be empty) is
// asked between blocks of work; false stops the join. The copy command skips
// a missing source without complaint, so on both platforms the result counts
// only when its size is the sum of the sources' sizes; otherwise the
// incomplete joined file is deleted and the result is false.
// Blocking; meant for the join controller's worker thread.
bool JoinByteCopy(const std::vector<std::wstring>& sources, const std::wstring& joined,
                  const std::function<bool()>& keepGoing);

// True when joined exists and its size equals the sum of the sizes of the
// sources, all of which exist.
bool JoinedSizeMatches(const std::vector<std::wstring>& sources, const std::wstring& joined);

}  // namespace corvane
