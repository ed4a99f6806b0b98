// The domain list ("Domain.ini") as the server sends it: whatever it holds,
// the site page stays an http address on a host name.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/TextConvert.h"
#include "online/DomainList.h"
#include "tests/fuzz/FuzzInput.h"

using namespace corvane;

namespace {

const std::filesystem::path& ListFile() {
  static const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("Domain-fuzz-" + std::to_string(getpid()) + ".ini");
  return file;
}

void CheckDomain(const std::wstring& domain) {
  FUZZ_CHECK(!domain.empty());
  for (wchar_t c : domain) FUZZ_CHECK(c != L'/' && c != L'@' && c != L'?' && c != L'#' && c > L' ');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring path = Utf8ToWide(ListFile().string());
  const auto answer = [&](const std::wstring&, const std::wstring& to) {
    std::ofstream(WideToUtf8(to), std::ios::binary).write(reinterpret_cast<const char*>(data), size);
    return true;
  };
  const auto remove = [](const std::wstring& p) { std::filesystem::remove(WideToUtf8(p)); };
  CDomainList list;
  list.Refresh(path, answer, remove, L"English", L"v2.2", /*cacheBuster=*/1);
  CheckDomain(list.Domain(1));
  CheckDomain(list.Domain(2));
  const std::wstring page = list.SitePage(L"top");
  FUZZ_CHECK(page.compare(0, 8, L"https://") == 0);
  std::filesystem::remove(ListFile());
  return 0;
}
