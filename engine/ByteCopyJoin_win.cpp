#include "engine/ByteCopyJoin.h"

#include "engine/JoinCommands.h"
#include "engine/TempFiles.h"
#include "engine/ToolRunner.h"

namespace corvane {

bool JoinByteCopy(const std::vector<std::wstring>& sources, const std::wstring& joined,
                  const std::function<bool()>& keepGoing) {
  const auto onChunk = [&keepGoing](TStdStr<char>&, const TStdStr<char>&) { return !keepGoing || keepGoing(); };
  const auto onDone = [](const TStdStr<char>&) { return true; };
  // "copy /b" prints nothing useful and skips a missing source silently:
  // the size of the result is the only trustworthy sign of success.
  const bool ran = RunTool(/*workingFolder=*/std::wstring(), BuildByteCopyCommand(sources, joined), onChunk, onDone);
  if (ran && (!keepGoing || keepGoing()) && JoinedSizeMatches(sources, joined)) return true;
  RemoveFile(joined);
  return false;
}

}  // namespace corvane
