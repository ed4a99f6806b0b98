#include "engine/ToolRunner.h"

namespace corvane {
namespace {

// Replaces every occurrence of key, resuming after the inserted text so that
// a value containing the key is not expanded again within this pass.
void ReplaceEveryOccurrence(std::wstring& command, const std::wstring& key, const std::wstring& value) {
  size_t pos = 0;
  while ((pos = command.find(key, pos)) != std::wstring::npos) {
    command.replace(pos, key.size(), value);
    pos += value.size();
  }
}

}  // namespace

void SubstitutePlaceholders(std::wstring& command, const std::wstring& toolPath,
                            const std::wstring* fileType, const std::wstring& input,
                            const std::wstring& input2, const std::wstring& output) {
  ReplaceEveryOccurrence(command, L"#ffmpegpath#", toolPath);
  ReplaceEveryOccurrence(command, L"#orgfilepath#", input);
  // Templates without a second input keep "#orgfilepath2#" as written.
  if (!input2.empty()) ReplaceEveryOccurrence(command, L"#orgfilepath2#", input2);
  if (fileType) ReplaceEveryOccurrence(command, L"#filetype#", *fileType);
  ReplaceEveryOccurrence(command, L"#outfilepath#", output);
}

}  // namespace corvane
