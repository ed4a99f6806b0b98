#include "engine/IntermediateNames.h"

#include "engine/PathParts.h"

namespace corvane {

std::wstring IntermediatePath(const std::wstring& outputPath, const std::wstring& inputPath) {
  return FolderOf(outputPath) + TitleOf(inputPath) + L".xbv";
}

std::wstring JoinedStreamPath(const std::wstring& firstIntermediate) {
  return FolderOf(firstIntermediate) + TitleOf(firstIntermediate) + L"_all" + ExtensionOf(firstIntermediate);
}

}  // namespace corvane
