// Entry names of an update package, which the elevated updater turns into
// paths inside the program folder.
#include <vector>

#include "tests/fuzz/FuzzInput.h"
#include "updater/UnzipPaths.h"

using namespace corvane;

namespace {

// The parts of a backslash-separated path, empty ones included.
std::vector<std::wstring> Parts(const std::wstring& path) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = path.find(L'\\', start);
    parts.push_back(path.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
    if (end == std::wstring::npos) return parts;
    start = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring raw = fuzz::WideFromBytes(fuzz::AsText(data, size));
  const std::wstring name = NormaliseEntryName(raw);
  FUZZ_CHECK(name.find(L'/') == std::wstring::npos && name.size() == raw.size());
  FUZZ_CHECK(IsSafeEntryName(name) == IsSafeEntryName(raw));

  const std::wstring key = EntryNameKey(name);
  FUZZ_CHECK(EntryNameKey(key) == key);  // a key is its own key
  if (!IsSafeEntryName(name)) return 0;

  // A safe name stays inside the target folder: its file on Windows is a
  // plain relative path of ordinary parts.
  FUZZ_CHECK(!key.empty());
  for (const std::wstring& part : Parts(key)) {
    FUZZ_CHECK(!part.empty() && part != L"." && part != L"..");
    FUZZ_CHECK(part.back() != L'.' && part.back() != L' ');
    FUZZ_CHECK(!IsDeviceName(part));
    FUZZ_CHECK(part.find(L':') == std::wstring::npos);
  }
  const std::wstring folder = L"C:\\Program Files\\Corvane";
  const std::wstring target = EntryTargetPath(folder, name, /*flatten=*/false);
  FUZZ_CHECK(target.compare(0, folder.size() + 1, folder + L"\\") == 0);
  const std::wstring flat = EntryTargetPath(folder, name, /*flatten=*/true);
  FUZZ_CHECK(flat.find(L'\\', folder.size() + 1) == std::wstring::npos);
  std::wstring parent;
  FUZZ_CHECK(ParentPath(target, parent) && parent.size() >= folder.size());
  return 0;
}
