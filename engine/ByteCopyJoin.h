#pragma once
// The MPEG route's join: the intermediates, byte for byte and in order, into
// the joined stream.
#include <functional>
#include <string>
#include <vector>

#include "engine/ToolStop.h"

namespace corvane {

// Joins sources into joined (replacing it). On Windows this is the command
// interpreter's "copy /b" run through RunTool; natively there is no command
// interpreter and the bytes are copied here. keepGoing (may be empty) is
// asked between blocks of work; false stops the join, and so does stop
// (which ends the command interpreter at once). The copy command skips a
// missing source without complaint, so on both platforms the result counts
// only when its size is the sum of the sources' sizes; otherwise the
// incomplete joined file is deleted and the result is false.
// Blocking; meant for the join controller's worker thread.
bool JoinByteCopy(const std::vector<std::wstring>& sources, const std::wstring& joined,
                  const std::function<bool()>& keepGoing, CToolStop* stop = nullptr);

// True when joined exists and its size equals the sum of the sizes of the
// sources, all of which exist.
bool JoinedSizeMatches(const std::vector<std::wstring>& sources, const std::wstring& joined);

// One run of the copy command: sources, in order, into target.
struct SByteCopyRound {
  std::vector<std::wstring> sources;
  std::wstring target;
};

// A command line holds at most maxCommandLine units, and a long list of
// deep paths does not fit into one. The join is then made in rounds: the
// first round copies as many sources as fit into a part file, each further
// round copies the previous part and as many more sources as fit into a new
// part, and the last round writes joined. partName(i) names the i-th part
// (from 1). Empty when a single source is too long for any command.
std::vector<SByteCopyRound> PlanByteCopyRounds(const std::vector<std::wstring>& sources, const std::wstring& joined,
                                               size_t maxCommandLine,
                                               const std::function<std::wstring(int)>& partName);

}  // namespace corvane
