// The updater's command line: the hand-off record (JSON with "#" for each
// double quote) as its one argument, read by an elevated program.
#include "tests/fuzz/FuzzInput.h"
#include "updater/HandOffCheck.h"
#include "updater/UpdaterData.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring commandLine = fuzz::WideFromBytes(fuzz::AsText(data, size));

  const std::wstring argument = CommandLineArgument(commandLine);
  FUZZ_CHECK(argument.size() <= commandLine.size());
  SUpdaterRecord record;
  if (!ParseUpdaterRecord(argument, record)) {
    FUZZ_CHECK(record.downloadUrl.empty() && record.tempFilePath.empty());  // an empty record
  }

  const std::wstring fallback = L"C:\\Users\\u\\AppData\\Local\\Temp\\";
  CheckHandOffRecord(record, fallback);
  // What survives the checks is what the updater may act on.
  FUZZ_CHECK(record.downloadUrl.empty() || IsWebAddress(record.downloadUrl));
  FUZZ_CHECK(record.installerUrl.empty() || IsWebAddress(record.installerUrl));
  FUZZ_CHECK(record.appFileName.empty() || IsBareProgramName(record.appFileName));
  FUZZ_CHECK(IsAbsoluteFolder(record.tempFilePath) && record.tempFilePath.back() == L'\\');
  return 0;
}
