#pragma once
// Which kind of file a join produces, from the output path's extension.
#include <cstdint>
#include <string>

namespace corvane {

// Stored by the join controller as a 32-bit integer; 0 means "no join".
enum OutputKind : int32_t {
  OutputKindNone = 0,
  OutputKindFlv = 1,  // flv f4v hlv flx fmv
  OutputKindRm = 2,   // rmvb rm
  OutputKindMp4 = 3,  // mp4 3gp mov (two-pass x264)
  OutputKindAvi = 4,  // avi
  OutputKindWmv = 5,  // wmv wma asf
};

// The text after the last '.' of outputPath (the whole path when it has
// none), lower-cased, looked up in the lists above.
OutputKind GetOutputKind(const std::wstring& outputPath);

}  // namespace corvane
