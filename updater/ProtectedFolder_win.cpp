#include "updater/ProtectedFolder.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

#include <algorithm>

#include "base/Handle.h"
#include "base/UniqueHandle.h"

namespace corvane {
namespace {

// Owner Administrators; a protected list (nothing inherited from above)
// giving SYSTEM and Administrators full control, passed on to everything
// made inside.
constexpr wchar_t kProtectedDescriptor[] = L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";

enum class ELevelState { kMissing, kProtected, kForeign };

bool IsAdministrativeSid(PSID sid) {
  return sid && (IsWellKnownSid(sid, WinBuiltinAdministratorsSid) || IsWellKnownSid(sid, WinLocalSystemSid));
}

// Only entries of this folder's own that allow SYSTEM or Administrators;
// a null list would let everyone in.
bool GrantsOnlyAdministrators(const ACL* list) {
  if (!list) return false;
  for (DWORD i = 0; i < list->AceCount; ++i) {
    void* entry = nullptr;
    if (!GetAce(const_cast<ACL*>(list), i, &entry)) return false;
    const auto* header = static_cast<const ACE_HEADER*>(entry);
    if (header->AceFlags & INHERITED_ACE) return false;
    if (header->AceType != ACCESS_ALLOWED_ACE_TYPE) return false;
    if (!IsAdministrativeSid(&static_cast<ACCESS_ALLOWED_ACE*>(entry)->SidStart)) return false;
  }
  return true;
}

std::wstring WithoutTrailingBackslash(std::wstring path) {
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  return path;
}

bool IsLinkOrFile(DWORD attributes) {
  return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) || !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

ELevelState InspectLevel(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) ? ELevelState::kMissing
                                                                           : ELevelState::kForeign;
  }
  if (IsLinkOrFile(attributes)) return ELevelState::kForeign;
  // The link itself, should one have been put there since.
  const CHandle folder(CreateFileW(path.c_str(), READ_CONTROL, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   /*security=*/nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, /*templ=*/nullptr));
  BY_HANDLE_FILE_INFORMATION information = {};
  if (!folder || !GetFileInformationByHandle(folder.Get(), &information) ||
      IsLinkOrFile(information.dwFileAttributes)) {
    return ELevelState::kForeign;
  }
  PSID owner = nullptr;
  PACL list = nullptr;
  PSECURITY_DESCRIPTOR raw = nullptr;
  if (GetSecurityInfo(folder.Get(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner,
                      /*group=*/nullptr, &list, /*sacl=*/nullptr, &raw) != ERROR_SUCCESS) {
    return ELevelState::kForeign;
  }
  const CLocalMemory descriptor(raw);
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  if (!GetSecurityDescriptorControl(raw, &control, &revision)) return ELevelState::kForeign;
  const bool isProtected = (control & SE_DACL_PROTECTED) && IsAdministrativeSid(owner) && GrantsOnlyAdministrators(list);
  return isProtected ? ELevelState::kProtected : ELevelState::kForeign;
}

// Removes what is at `path` without following any link: a link goes, what
// it points to stays; a folder goes with what it holds.
bool RemoveWithoutFollowing(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (attributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileW(path.c_str()) != FALSE;
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    WIN32_FIND_DATAW found = {};
    const HANDLE first = FindFirstFileExW((path + L"\\*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                          /*filter=*/nullptr, /*flags=*/0);
    if (first != INVALID_HANDLE_VALUE) {
      const CFindHandle search(first);
      do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (!RemoveWithoutFollowing(path + L"\\" + name)) return false;
      } while (FindNextFileW(search.Get(), &found));
    }
  }
  return RemoveDirectoryW(path.c_str()) != FALSE;
}

// Sets the owner and the protected list on a folder that exists.
bool ApplyDescriptor(const std::wstring& path, PSECURITY_DESCRIPTOR descriptor) {
  const CHandle folder(CreateFileW(path.c_str(), READ_CONTROL | WRITE_DAC | WRITE_OWNER,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, /*security=*/nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                   /*templ=*/nullptr));
  PSID owner = nullptr;
  PACL list = nullptr;
  BOOL defaulted = FALSE, present = FALSE;
  return folder && GetSecurityDescriptorOwner(descriptor, &owner, &defaulted) &&
         GetSecurityDescriptorDacl(descriptor, &present, &list, &defaulted) &&
         SetSecurityInfo(folder.Get(), SE_FILE_OBJECT,
                         OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                         owner, /*group=*/nullptr, list, /*sacl=*/nullptr) == ERROR_SUCCESS;
}

bool MakeProtectedLevel(const std::wstring& path, bool requireProtection, std::wstring& reason) {
  PSECURITY_DESCRIPTOR raw = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kProtectedDescriptor, SDDL_REVISION_1, &raw,
                                                            /*size=*/nullptr)) {
    reason = L"cannot build the access list (error " + std::to_wstring(GetLastError()) + L")";
    return false;
  }
  const CLocalMemory descriptor(raw);
  // Made with its list, so that it is never open to others, not even for a
  // moment; a system that made it without (Wine does) gets the list set.
  SECURITY_ATTRIBUTES security = {sizeof security, raw, /*inherit=*/FALSE};
  if (!CreateDirectoryW(path.c_str(), &security)) {
    reason = L"cannot make " + path + L" (error " + std::to_wstring(GetLastError()) + L")";
    return false;
  }
  if (InspectLevel(path) != ELevelState::kProtected) ApplyDescriptor(path, raw);
  // Read back: a system that refused the owner or the list must not pass.
  if (requireProtection && InspectLevel(path) != ELevelState::kProtected) {
    reason = path + L" was made without the access list it asked for";
    return false;
  }
  return true;
}

}  // namespace

std::wstring ProgramDataFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(/*owner=*/nullptr, CSIDL_COMMON_APPDATA, /*token=*/nullptr, SHGFP_TYPE_CURRENT, folder))) {
    return {};
  }
  return WithoutTrailingBackslash(folder) + L"\\";
}

bool IsProtectedFolder(const std::wstring& folder) {
  return InspectLevel(WithoutTrailingBackslash(folder)) == ELevelState::kProtected;
}

std::wstring PrepareProtectedFolder(const std::wstring& root, const std::wstring& relative, bool requireProtection,
                                   std::wstring& reason) {
  const DWORD rootAttributes = GetFileAttributesW(root.c_str());
  if (rootAttributes == INVALID_FILE_ATTRIBUTES || IsLinkOrFile(rootAttributes)) {
    reason = root + L" is missing or a link";
    return {};
  }
  std::wstring folder = WithoutTrailingBackslash(root);
  size_t start = 0;
  while (start < relative.size()) {
    const size_t end = std::min(relative.find(L'\\', start), relative.size());
    folder += L"\\" + relative.substr(start, end - start);
    start = end + 1;
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    const bool plainFolder = attributes != INVALID_FILE_ATTRIBUTES && !IsLinkOrFile(attributes);
    if (!requireProtection && plainFolder) continue;
    switch (InspectLevel(folder)) {
      case ELevelState::kProtected: continue;
      case ELevelState::kForeign:
        // Someone else's folder, or a link: it goes, and a new one is made.
        if (!RemoveWithoutFollowing(folder)) {
          reason = folder + L" is not protected and cannot be removed (error " + std::to_wstring(GetLastError()) + L")";
          return {};
        }
        break;
      case ELevelState::kMissing: break;
    }
    if (!MakeProtectedLevel(folder, requireProtection, reason)) return {};
  }
  return folder + L"\\";
}

}  // namespace corvane
