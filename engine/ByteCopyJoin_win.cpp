#include "engine/ByteCopyJoin.h"

#include "engine/JoinCommands.h"
#include "engine/TempFiles.h"
#include "engine/ToolRunner.h"

namespace corvane {
namespace {

// Part files are made beside the joined stream and never replace a file.
class CPartFiles {
 public:
  explicit CPartFiles(std::wstring joined) : m_joined(std::move(joined)) {}
  ~CPartFiles() {
    for (const std::wstring& part : m_parts) RemoveFile(part);
  }
  CPartFiles(const CPartFiles&) = delete;
  CPartFiles& operator=(const CPartFiles&) = delete;
  // The i-th part (from 1), reserved on first use.
  std::wstring Name(int index) {
    while (static_cast<int>(m_parts.size()) < index) m_parts.push_back(ReserveFreePath(m_joined + L".part"));
    return m_parts[static_cast<size_t>(index) - 1];
  }
  bool AllReserved() const {
    for (const std::wstring& part : m_parts) {
      if (part.empty()) return false;
    }
    return true;
  }

 private:
  std::wstring m_joined;
  std::vector<std::wstring> m_parts;
};

bool RunRound(const SByteCopyRound& round, const std::function<bool()>& keepGoing, CToolStop* stop) {
  const auto onChunk = [&keepGoing](TStdStr<char>&, const TStdStr<char>&) { return !keepGoing || keepGoing(); };
  const auto onDone = [](const TStdStr<char>&) { return true; };
  const bool ran =
      RunTool(/*workingFolder=*/std::wstring(), BuildByteCopyCommand(round.sources, round.target), onChunk, onDone, stop);
  const bool stopped = (keepGoing && !keepGoing()) || (stop && stop->IsStopped());
  // "copy /b" prints nothing useful and skips a missing source silently:
  // the size of the result is the only trustworthy sign of success.
  return ran && !stopped && JoinedSizeMatches(round.sources, round.target);
}

}  // namespace

bool JoinByteCopy(const std::vector<std::wstring>& sources, const std::wstring& joined,
                  const std::function<bool()>& keepGoing, CToolStop* stop) {
  CPartFiles parts(joined);
  const std::vector<SByteCopyRound> rounds =
      PlanByteCopyRounds(sources, joined, kMaxToolCommandLine, [&parts](int i) { return parts.Name(i); });
  bool joinedOk = !rounds.empty() && parts.AllReserved();
  for (size_t i = 0; joinedOk && i < rounds.size(); ++i) joinedOk = RunRound(rounds[i], keepGoing, stop);
  if (joinedOk) return true;
  RemoveFile(joined);
  return false;
}

}  // namespace corvane
