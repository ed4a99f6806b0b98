// The version file the maker's server sends ("corvanever.ini"): what the
// program takes from it and what it decides on it. Addresses from the file
// must be web addresses or the defaults; the digest is 64 lower-case hex
// digits or nothing; versions compare as an order.
#include <memory>
#include <string>
#include <vector>

#include "base/F3DMemFile.h"
#include "base/IniReader.h"
#include "online/VersionCheck.h"
#include "online/VersionCompare.h"
#include "online/WebUrl.h"
#include "tests/fuzz/FuzzInput.h"

using namespace corvane;

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

void CheckAddress(const std::wstring& address) {
  FUZZ_CHECK(address == DefaultSoftwarePage() || IsUrlWithScheme(address, {L"http", L"https"}));
}

void CheckDigest(const std::wstring& digest) {
  if (digest.empty()) return;
  FUZZ_CHECK(digest.size() == 64);
  for (wchar_t c : digest) FUZZ_CHECK((c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f'));
}

void CheckOrder(const std::vector<std::wstring>& versions) {
  for (const std::wstring& a : versions) {
    FUZZ_CHECK(CompareVersions(a, a) == 0);
    for (const std::wstring& b : versions) {
      FUZZ_CHECK(Sign(CompareVersions(a, b)) == -Sign(CompareVersions(b, a)));
      if (!IsVersionText(a) || !IsVersionText(b)) continue;
      for (const std::wstring& c : versions) {
        if (!IsVersionText(c)) continue;
        if (CompareVersions(a, b) <= 0 && CompareVersions(b, c) <= 0) FUZZ_CHECK(CompareVersions(a, c) <= 0);
      }
    }
  }
}

void CheckDecision(const std::wstring& own, const SVersionInfo& info) {
  for (int32_t flags : {0, 2}) {
    const SReminderChoice reminder{flags, info.version};
    switch (DecideVersionAction(own, info, reminder)) {
      case EVersionAction::kShowTipPage: FUZZ_CHECK(CompareVersions(own, info.lastVersion) < 0); break;
      // "Don't remind me" of exactly this version silences the offer.
      case EVersionAction::kOfferUpdate:
        FUZZ_CHECK(CompareVersions(own, info.version) < 0);
        FUZZ_CHECK(flags == 0 || !IsVersionText(info.version));
        break;
      case EVersionAction::kNothing: break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  CIniReader file;
  FUZZ_CHECK(file.Attach(std::make_unique<CF3DMemFile>(bytes.data(), bytes.size(), /*growBy=*/0)));
  for (const wchar_t* own : {L"v2.10", L"2.9.1"}) {
    const SVersionInfo info = ReadVersionInfo(file, own);
    CheckAddress(info.tipUrl);
    CheckAddress(info.downloadUrl);
    CheckAddress(info.installerUrl);
    CheckDigest(info.sha256);
    CheckOrder({own, info.version, info.lastVersion});
    CheckDecision(own, info);
    FormatReleaseDate(info.releaseDate);
    const std::wstring update = BuildUpdateUrl(info.downloadUrl, L"en", own);
    FUZZ_CHECK(!update.empty());
  }
  return 0;
}
