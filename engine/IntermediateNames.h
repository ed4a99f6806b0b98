#pragma once
// Names of the files the MPEG route makes on its way to the output.
#include <string>

namespace corvane {

// The MPEG stream made from one input: output folder + input title + ".xbv".
std::wstring IntermediatePath(const std::wstring& outputPath, const std::wstring& inputPath);

// The byte-copy join of all intermediates: folder and title of the first
// one + "_all" + its extension (a.xbv gives a_all.xbv).
std::wstring JoinedStreamPath(const std::wstring& firstIntermediate);

}  // namespace corvane
