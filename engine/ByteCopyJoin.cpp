#include "engine/ByteCopyJoin.h"

#include <fstream>
#include <vector>

#include "base/FsPath.h"
#include "engine/TempFiles.h"

namespace corvane {
namespace {

constexpr size_t kBlockSize = 1 << 20;

class CByteJoin {
 public:
  CByteJoin(const std::function<bool()>& keepGoing, const CToolStop* stop)
      : m_keepGoing(keepGoing), m_stop(stop), m_block(kBlockSize) {}

  bool Run(const std::vector<std::wstring>& sources, const std::wstring& joined) {
    // Never a file that appeared under the name by chance: the caller's
    // reservation, or one made here.
    if (CreateNewFile(joined) == ECreateNew::kFailed) return false;
    std::ofstream out(ToFsPath(joined), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    for (const std::wstring& source : sources) {
      if (!Append(out, source)) return false;
    }
    out.close();
    return !out.fail();
  }

 private:
  bool KeepGoing() const { return (!m_keepGoing || m_keepGoing()) && !(m_stop && m_stop->IsStopped()); }

  bool Append(std::ofstream& out, const std::wstring& source) {
    std::ifstream in(ToFsPath(source), std::ios::binary);
    if (!in) return false;
    for (;;) {
      if (!KeepGoing()) return false;
      in.read(m_block.data(), static_cast<std::streamsize>(m_block.size()));
      // A short read sets failbit with eofbit; badbit is a read error.
      if (in.bad()) return false;
      out.write(m_block.data(), in.gcount());
      if (!out) return false;
      if (in.eof()) return true;
    }
  }

  const std::function<bool()>& m_keepGoing;
  const CToolStop* m_stop;
  std::vector<char> m_block;
};

}  // namespace

bool JoinByteCopy(const std::vector<std::wstring>& sources, const std::wstring& joined,
                  const std::function<bool()>& keepGoing, const CToolStop* stop) {
  if (CByteJoin(keepGoing, stop).Run(sources, joined)) return true;
  RemoveFile(joined);
  return false;
}

}  // namespace corvane
