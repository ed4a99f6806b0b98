#include "engine/ByteCopyJoin.h"

#include <fstream>
#include <vector>

#include "base/FsPath.h"
#include "engine/PathParts.h"
#include "engine/TempFiles.h"

namespace corvane {
namespace {

constexpr size_t kBlockSize = 1 << 20;

bool AppendFile(std::ofstream& out, const std::wstring& source, const std::function<bool()>& keepGoing) {
  std::ifstream in(ToFsPath(source), std::ios::binary);
  if (!in) return false;
  std::vector<char> block(kBlockSize);
  while (in) {
    if (keepGoing && !keepGoing()) return false;
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    out.write(block.data(), in.gcount());
    if (!out) return false;
  }
  return in.eof();
}

bool CopyAll(const std::vector<std::wstring>& sources, const std::wstring& joined,
             const std::function<bool()>& keepGoing) {
  std::ofstream out(ToFsPath(joined), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  for (const std::wstring& source : sources) {
    if (!AppendFile(out, source, keepGoing)) return false;
  }
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

// No child process runs here: keepGoing is the way to stop.
bool JoinByteCopy(const std::vector<std::wstring>& sources, const std::wstring& joined,
                  const std::function<bool()>& keepGoing, CToolStop* /*stop*/) {
  if (CopyAll(sources, joined, keepGoing) && JoinedSizeMatches(sources, joined)) return true;
  RemoveFile(joined);
  return false;
}

}  // namespace corvane
