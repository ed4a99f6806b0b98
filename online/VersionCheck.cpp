#include "online/VersionCheck.h"

#include <cwctype>

#include "base/TrimBlanks.h"
#include "base/F3DDateTime.h"
#include "base/IniReader.h"
#include "online/ServerHosts.h"
#include "online/VersionCompare.h"
#include "online/WebUrl.h"

namespace corvane {
namespace {

constexpr wchar_t kSection[] = L"main";
constexpr uint32_t kNoReminderFlag = 0x2;
constexpr size_t kSha256HexDigits = 64;

// Lower-case hex of a SHA-256 digest, or empty when the text is none.
std::wstring NormalisedSha256(const std::wstring& text) {
  if (text.size() != kSha256HexDigits) return {};
  std::wstring lower;
  for (wchar_t c : text) {
    if (!std::iswxdigit(static_cast<wint_t>(c))) return {};
    lower += static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  }
  return lower;
}

bool IsSameVersion(const std::wstring& a, const std::wstring& b) {
  // Texts that are not versions compare "equal"; they never match here.
  return IsVersionText(a) && IsVersionText(b) && CompareVersions(a, b) == 0;
}

}  // namespace

std::wstring DefaultSoftwarePage() { return VendorServerRoot() + L"/soft.php?type=joiner"; }

SVersionInfo ReadVersionInfo(const CIniReader& file, const std::wstring& ownVersion) {
  const std::wstring page = DefaultSoftwarePage();
  // "key = value" lines keep the blank after "=": values are trimmed.
  const auto value = [&file](const wchar_t* key, const std::wstring& fallback) {
    const std::wstring text = TrimBlanks(file.GetString(kSection, key, fallback));
    return text.empty() ? fallback : text;
  };
  SVersionInfo info;
  info.lastVersion = value(L"lastversion", ownVersion);
  info.tipUrl = WebUrlOrDefault(value(L"tipurl", page), page);
  info.version = value(L"version", ownVersion);
  info.releaseDate = value(L"releasedate", kDefaultLatestReleaseDate);
  info.downloadUrl = WebUrlOrDefault(value(L"downloadurl", page), page);
  info.installerUrl = WebUrlOrDefault(value(L"installerurl", page), page);
  info.sha256 = NormalisedSha256(value(L"sha256", std::wstring()));
  // Judged only by the updater, against the key built into it.
  info.signature = value(L"signature", std::wstring());
  return info;
}

EVersionAction DecideVersionAction(const std::wstring& ownVersion, const SVersionInfo& info,
                                   const SReminderChoice& reminder) {
  if (CompareVersions(ownVersion, info.lastVersion) < 0) return EVersionAction::kShowTipPage;
  if (CompareVersions(ownVersion, info.version) >= 0) return EVersionAction::kNothing;
  const bool dismissed = (static_cast<uint32_t>(reminder.sysFlags) & kNoReminderFlag) != 0;
  if (dismissed && IsSameVersion(reminder.dismissedVersion, info.version)) return EVersionAction::kNothing;
  return EVersionAction::kOfferUpdate;
}

void ApplyReminderChoice(bool ticked, const std::wstring& latestVersion, SReminderChoice& reminder) {
  uint32_t flags = static_cast<uint32_t>(reminder.sysFlags);
  flags = ticked ? (flags | kNoReminderFlag) : (flags & ~kNoReminderFlag);
  reminder.sysFlags = static_cast<int32_t>(flags);
  if (ticked) reminder.dismissedVersion = latestVersion;
}

std::wstring BuildUpdateUrl(const std::wstring& storedUrl, const std::wstring& language,
                            const std::wstring& ownVersion) {
  if (IsUrlWithScheme(storedUrl, {L"ftp", L"http", L"https"})) return storedUrl;
  return VendorServerRoot() + L"/soft/corvanever.php?lang=" + language + L"&ver=" + ownVersion;
}

std::wstring FormatReleaseDate(const std::wstring& compilerDate) {
  const size_t space = compilerDate.find(L' ');
  if (space == std::wstring::npos) return compilerDate;
  const std::wstring rest = TrimBlanks(compilerDate.substr(space + 1));
  const size_t split = rest.find(L' ');
  if (split == std::wstring::npos) return compilerDate;
  int day = 0;
  for (wchar_t c : rest.substr(0, split)) {
    if (c < L'0' || c > L'9' || day > 31) return compilerDate;
    day = day * 10 + (c - L'0');
  }
  CF3DDateTime date;
  if (!date.Build(compilerDate.substr(0, space), day, TrimBlanks(rest.substr(split + 1)))) return compilerDate;
  return date.Format(L"%m-%d-%Y");
}

}  // namespace corvane
