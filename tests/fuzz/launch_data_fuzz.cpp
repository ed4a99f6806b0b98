// The launch data another program hands the joiner on its command line:
// a JSON object with "#" written for each double quote.
#include <algorithm>

#include "app/JoinConvData.h"
#include "tests/fuzz/FuzzInput.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring launchData = fuzz::WideFromBytes(fuzz::AsText(data, size));
  CJoinConvData job;
  job.SetLaunchData(launchData);
  const bool read = job.ParseLaunchData();
  if (!read) {
    FUZZ_CHECK(!job.StartedWithLaunchData());  // dropped: the program starts interactively
    FUZZ_CHECK(job.Files().empty() && job.OutputPath().empty());
  } else {
    FUZZ_CHECK(job.LaunchData() == launchData);
    // The file list never holds one path twice.
    std::vector<std::wstring> files = job.Files();
    std::sort(files.begin(), files.end());
    FUZZ_CHECK(std::adjacent_find(files.begin(), files.end()) == files.end());
  }
  // The notice back to the launcher always ends with its one zero byte.
  const std::string notice = CompletionNoticeBytes(job.SourceAddress());
  FUZZ_CHECK(!notice.empty() && notice.back() == '\0' && notice.find('\0') == notice.size() - 1);
  return 0;
}
