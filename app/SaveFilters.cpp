#include "app/SaveFilters.h"

#include "engine/OutputKind.h"
#include "engine/PathParts.h"

namespace corvane {
namespace {

const SFileFilter kFlv{L"Flv Files (*.flv)", L"*.flv"};
const SFileFilter kMp4{L"Mp4 Files (*.mp4)", L"*.mp4"};
const SFileFilter kAvi{L"Avi Files (*.avi)", L"*.avi"};
const SFileFilter kWmv{L"Wmv Files (*.wmv)", L"*.wmv"};
const SFileFilter kRmvb{L"Rmvb Files (*.rmvb)", L"*.rmvb"};
const SFileFilter kAll{L"All Files (*.*)", L"*.*"};

}  // namespace

std::vector<SFileFilter> OutputFilters(const std::wstring& firstFile) {
  switch (GetOutputKind(firstFile)) {
    case OutputKindMp4: return {kMp4, kFlv, kAvi, kWmv, kRmvb, kAll};
    case OutputKindAvi: return {kAvi, kFlv, kMp4, kWmv, kRmvb, kAll};
    case OutputKindWmv: return {kWmv, kAvi, kFlv, kMp4, kRmvb, kAll};
    case OutputKindRm: return {kRmvb, kWmv, kAvi, kFlv, kMp4, kAll};
    case OutputKindFlv:
    case OutputKindNone:
    default: return {kFlv, kMp4, kAvi, kWmv, kRmvb, kAll};
  }
}

std::vector<SFileFilter> InputFilters() {
  return {kAll,
          {L"FLV Files (*.flv;*.f4v)", L"*.flv;*.f4v"},
          {L"MP4 Files (*.mp4)", L"*.mp4"},
          {L"WMV Files (*.wmv)", L"*.wmv"},
          {L"RMVB Files (*.rmvb)", L"*.rmvb"}};
}

std::vector<std::wstring> SplitMultiSelection(const std::wstring& buffer) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  while (start < buffer.size()) {
    const size_t end = buffer.find(L'\0', start);
    const std::wstring part = buffer.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    if (part.empty()) break;
    parts.push_back(part);
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  if (parts.size() <= 1) return parts;
  std::wstring folder = parts.front();
  if (folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
  std::vector<std::wstring> paths;
  for (size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + parts[i]);
  return paths;
}

std::wstring ProposedOutputName(const std::wstring& firstFile) { return TitleOf(firstFile) + L"_all"; }

}  // namespace corvane
