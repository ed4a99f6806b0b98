#include "engine/FastJoin.h"

#include "engine/ConcatList.h"
#include "engine/TempFiles.h"
#include "engine/ToolRunner.h"

namespace corvane {
namespace {

// "-safe 0": current FFmpeg refuses absolute paths in a concat list without
// it, and the list always holds full paths.
// "-y": the user chose this output (the save dialog confirmed replacing an
// existing file); without it the tool would ask on its standard input, which
// nobody answers, and the join would hang.
const wchar_t kFastJoinMp4[] =
    L"\"#ffmpegpath#\" -f concat -safe 0 -i \"#orgfilepath#\" -f mp4 -c copy -y \"#outfilepath#\"";
// FLV copies the pictures but converts the sound (to AAC, which FLV carries):
// an MP4 clip's sound starts with encoder priming and ends in a part packet
// that the MP4 container trims away, and FLV has no way to say so. Copied,
// each seam would hold overlapping sound packets, and players and decoders
// would meet time stamps that go backwards. Decoding honours the trimming,
// so the converted sound runs on without a gap or an overlap; converting
// sound is a small part of the work of a join.
const wchar_t kFastJoinFlv[] =
    L"\"#ffmpegpath#\" -f concat -safe 0 -i \"#orgfilepath#\" -f flv -c:v copy -c:a aac -y \"#outfilepath#\"";

const wchar_t kListPrefix[] = L"TFR";

// Deletes the list file on every way out.
class CListFile {
 public:
  explicit CListFile(std::wstring path) : m_path(std::move(path)) {}
  ~CListFile() {
    if (!m_path.empty()) RemoveFile(m_path);
  }
  CListFile(const CListFile&) = delete;
  CListFile& operator=(const CListFile&) = delete;
  const std::wstring& Path() const { return m_path; }

 private:
  std::wstring m_path;
};

}  // namespace

std::wstring BuildFastJoinCommand(bool mp4, const std::wstring& toolPath, const std::wstring& listPath,
                                  const std::wstring& outputPath) {
  std::wstring command = mp4 ? kFastJoinMp4 : kFastJoinFlv;
  SubstitutePlaceholders(command, toolPath, /*fileType=*/nullptr, listPath, /*input2=*/std::wstring(), outputPath);
  return command;
}

bool RunFastJoin(bool mp4, const std::wstring& outputPath, const std::vector<std::wstring>& inputs,
                 const std::function<void(int)>& setProgress, const OutputChunkHandler& onChunk,
                 CToolStop* stop) {
  if (inputs.size() < 2) return true;
  const std::string list = BuildConcatList(inputs);
  if (list.empty()) return false;
  const CListFile listFile(CreateUniqueTempFile(GetTempFolder(), kListPrefix));
  if (listFile.Path().empty() || !WriteTempFileContent(listFile.Path(), list)) return false;

  const std::wstring toolPath = GetToolPath();
  if (toolPath.empty()) return false;
  const OutputChunkHandler keepReading = [](TStdStr<char>&, const TStdStr<char>&) { return true; };
  const auto done = [](const TStdStr<char>&) { return true; };
  const bool ran = RunTool(/*workingFolder=*/std::wstring(),
                           BuildFastJoinCommand(mp4, toolPath, listFile.Path(), outputPath),
                           onChunk ? onChunk : keepReading, done, stop);
  if (ran && setProgress) setProgress(100);
  return ran;
}

}  // namespace corvane
