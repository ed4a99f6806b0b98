#include "engine/FileIdentity.h"

#include <windows.h>

#include <cstring>

#include "base/Handle.h"

namespace corvane {
namespace {

// FILE_ID_INFO and its class value, which the headers declare only for
// Windows 8 and later (the program still starts on Windows 7, where the
// call fails and the 64-bit index below is used).
struct SFileIdInfo {
  ULONGLONG volumeSerialNumber;
  BYTE fileId[16];
};
constexpr FILE_INFO_BY_HANDLE_CLASS kFileIdInfoClass = static_cast<FILE_INFO_BY_HANDLE_CLASS>(18);

struct SFileIdentity {
  ULONGLONG volume = 0;
  BYTE id[16] = {};

  bool operator==(const SFileIdentity& other) const {
    return volume == other.volume && std::memcmp(id, other.id, sizeof id) == 0;
  }
  // Some network servers answer with no file id at all.
  bool IsKnown() const {
    static const BYTE kNone[16] = {};
    return std::memcmp(id, kNone, sizeof id) != 0;
  }
};

// The volume serial number and file id of the file path opens to. The file
// is opened for its attributes only and with every kind of sharing, so a
// file that a player or the tool holds open can still be asked, and
// FILE_FLAG_BACKUP_SEMANTICS lets a folder be opened too (it then simply
// differs from every file). Links are followed.
bool ReadFileIdentity(const std::wstring& path, SFileIdentity& identity) {
  CHandle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, /*security=*/nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, /*templ=*/nullptr));
  if (!file) return false;
  // On ReFS the file id has 128 bits and its low 64 alone need not be
  // unique; FAT and some network file systems answer only the older call.
  SFileIdInfo idInfo{};
  if (GetFileInformationByHandleEx(file.Get(), kFileIdInfoClass, &idInfo, sizeof idInfo)) {
    identity.volume = idInfo.volumeSerialNumber;
    std::memcpy(identity.id, idInfo.fileId, sizeof identity.id);
    if (identity.IsKnown()) return true;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file.Get(), &info)) return false;
  identity = SFileIdentity();
  identity.volume = info.dwVolumeSerialNumber;
  const ULONGLONG index = (static_cast<ULONGLONG>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  std::memcpy(identity.id, &index, sizeof index);
  return identity.IsKnown();
}

}  // namespace

bool IsSameFile(const std::wstring& a, const std::wstring& b) {
  SFileIdentity first, second;
  return ReadFileIdentity(a, first) && ReadFileIdentity(b, second) && first == second;
}

}  // namespace corvane
