#include "engine/OutputKind.h"

namespace corvane {

OutputKind GetOutputKind(const std::wstring& outputPath) {
  static const struct { const wchar_t* extension; OutputKind kind; } kExtensions[] = {
      {L"flv", OutputKindFlv}, {L"f4v", OutputKindFlv}, {L"hlv", OutputKindFlv},
      {L"flx", OutputKindFlv}, {L"fmv", OutputKindFlv}, {L"rmvb", OutputKindRm},
      {L"rm", OutputKindRm},   {L"mp4", OutputKindMp4}, {L"3gp", OutputKindMp4},
      {L"mov", OutputKindMp4}, {L"avi", OutputKindAvi}, {L"wmv", OutputKindWmv},
      {L"wma", OutputKindWmv}, {L"asf", OutputKindWmv}};
  const size_t dot = outputPath.rfind(L'.');
  std::wstring extension = dot == std::wstring::npos ? outputPath : outputPath.substr(dot + 1);
  // Only ASCII letters occur in the lists; other letters may stay as they are.
  for (wchar_t& c : extension) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  for (const auto& entry : kExtensions) {
    if (extension == entry.extension) return entry.kind;
  }
  return OutputKindNone;
}

}  // namespace corvane
