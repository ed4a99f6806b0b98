#include "engine/ProbeMedia.h"

#include <filesystem>
#include <system_error>

#include "base/FsPath.h"
#include "engine/PathParts.h"
#include "engine/ProbeParser.h"
#include "engine/ToolRunner.h"

namespace corvane {
namespace {

// The probe's chunk handler: keeps the whole text, each block as a C string
// (it counts up to its first NUL byte), and tells onAnswer of each block.
OutputChunkHandler AppendBlock(const ProbeAnswerHandler& onAnswer) {
  return [onAnswer](TStdStr<char>& accumulated, const TStdStr<char>& block) {
    accumulated.append(block.c_str());
    if (onAnswer) onAnswer();
    return true;
  };
}

// One run of the tool that describes several files: each one as its own
// "-i" input, and still no output.
std::wstring BuildProbeAllCommand(const std::wstring& toolPath, const std::vector<std::wstring>& files) {
  std::wstring command = L"\"" + toolPath + L"\"";
  for (const std::wstring& file : files) command += L" -i \"" + file + L"\"";
  return command;
}

// Groups of files, in order, whose command fits a tool command line; a file
// too long for any command forms a group of its own (its run then fails).
std::vector<std::vector<std::wstring>> BatchProbeInputs(const std::wstring& toolPath,
                                                        const std::vector<std::wstring>& files) {
  std::vector<std::vector<std::wstring>> batches;
  std::vector<std::wstring> batch;
  for (const std::wstring& file : files) {
    batch.push_back(file);
    if (batch.size() > 1 && BuildProbeAllCommand(toolPath, batch).size() > kMaxToolCommandLine) {
      batch.pop_back();
      batches.push_back(batch);
      batch = {file};
    }
  }
  if (!batch.empty()) batches.push_back(batch);
  return batches;
}

}  // namespace

const wchar_t kProbeCommandTemplate[] = L"\"#ffmpegpath#\" -i \"#orgfilepath#\"";

std::wstring BuildProbeCommand(const std::wstring& toolPath, const std::wstring& file) {
  std::wstring command = kProbeCommandTemplate;
  SubstitutePlaceholders(command, toolPath, /*fileType=*/nullptr, file, /*input2=*/std::wstring(),
                         /*output=*/std::wstring());
  return command;
}

bool RunProbe(const std::wstring& toolPath, const std::wstring& file, SVideoPropertyInfo& info, CToolStop* stop,
              const ProbeAnswerHandler& onAnswer) {
  const auto parse = [&info, &file](const TStdStr<char>& accumulated) {
    return ParseProbeOutput(info, accumulated, file);
  };
  return RunTool(/*workingFolder=*/std::wstring(), BuildProbeCommand(toolPath, file), AppendBlock(onAnswer), parse,
                 stop);
}

std::vector<SVideoPropertyInfo> ProbeAllMedia(const std::wstring& toolPath, const std::vector<std::wstring>& files,
                                              CToolStop* stop, const ProbeAnswerHandler& onAnswer) {
  std::vector<SVideoPropertyInfo> records;
  for (const std::vector<std::wstring>& batch : BatchProbeInputs(toolPath, files)) {
    std::vector<SVideoPropertyInfo> found;
    const auto parse = [&found, &batch](const TStdStr<char>& accumulated) {
      found = ParseProbeAllOutput(accumulated, batch);
      return true;
    };
    if (!RunTool(/*workingFolder=*/std::wstring(), BuildProbeAllCommand(toolPath, batch), AppendBlock(onAnswer), parse,
                 stop))
      break;
    // One record per input of this batch at most, whatever the text held.
    if (found.size() > batch.size()) found.resize(batch.size());
    for (size_t i = 0; i < found.size(); ++i) found[i].filePath = batch[i];
    records.insert(records.end(), found.begin(), found.end());
    if (found.size() < batch.size()) break;
  }
  return records;
}

bool ProbeMedia(const std::wstring& filePath, SVideoPropertyInfo& info, CToolStop* stop,
                const ProbeAnswerHandler& onAnswer) {
  std::error_code error;
  if (!std::filesystem::exists(ToFsPath(filePath), error)) return false;
  const std::wstring toolPath = GetToolPath();
  if (toolPath.empty()) return false;
  // The tool opens every name the system can (Unicode and long paths): a
  // file it cannot read is not retried under another name.
  info.Clear();
  info.filePath = filePath;
  return RunProbe(toolPath, filePath, info, stop, onAnswer);
}

}  // namespace corvane
