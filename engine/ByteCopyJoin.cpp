#include "engine/ByteCopyJoin.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

#include "base/FsPath.h"
#include "engine/JoinCommands.h"
#include "engine/PathParts.h"

namespace corvane {

bool JoinedSizeMatches(const std::vector<std::wstring>& sources, const std::wstring& joined) {
  std::error_code error;
  uintmax_t expected = 0;
  for (const std::wstring& source : sources) {
    const uintmax_t size = std::filesystem::file_size(ToFsPath(source), error);
    if (error) return false;
    expected += size;
  }
  const uintmax_t actual = std::filesystem::file_size(ToFsPath(joined), error);
  return !error && actual == expected;
}

std::vector<SByteCopyRound> PlanByteCopyRounds(const std::vector<std::wstring>& sources, const std::wstring& joined,
                                               size_t maxCommandLine,
                                               const std::function<std::wstring(int)>& partName) {
  // Usually one command holds them all, and no part is named (on Windows
  // naming a part reserves its file).
  if (BuildByteCopyCommand(sources, joined).size() <= maxCommandLine) return {{sources, joined}};
  // Every part name is as long as or shorter than the longest target we may
  // need; measuring with the longer of joined and a part name keeps a round
  // that fits for one target fitting for the other.
  const std::wstring probeTarget = partName(1).size() > joined.size() ? partName(1) : joined;
  const auto fits = [&](const std::vector<std::wstring>& list) {
    return BuildByteCopyCommand(list, probeTarget).size() <= maxCommandLine;
  };
  std::vector<SByteCopyRound> rounds;
  SByteCopyRound round;
  for (const std::wstring& source : sources) {
    round.sources.push_back(source);
    if (fits(round.sources)) continue;
    round.sources.pop_back();
    // The round holds the previous part alone (or nothing): no progress possible.
    if (round.sources.size() <= (rounds.empty() ? 0u : 1u)) return {};
    round.target = partName(static_cast<int>(rounds.size()) + 1);
    rounds.push_back(round);
    round.sources = {rounds.back().target, source};
    if (!fits(round.sources)) return {};
  }
  round.target = joined;
  rounds.push_back(round);
  return rounds;
}

}  // namespace corvane
