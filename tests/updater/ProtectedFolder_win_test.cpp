// The updater's own folder, read back through the system's security
// interface: owner, a protected list granting only SYSTEM and
// Administrators; a level someone else made (or a link in its place) is
// removed without following it and made again; the held package copy in it
// cannot be written or replaced by anyone else.
#include "updater/ProtectedFolder.h"

#include <windows.h>
#include <aclapi.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/Handle.h"
#include "base/UniqueHandle.h"
#include "updater/HeldPackage.h"
#include "updater/SystemUserStarter.h"

namespace corvane {
namespace {

struct SReadBack {
  bool ownerIsAdministrators = false;
  bool isProtected = false;
  int entries = 0, systemFull = 0, administratorsFull = 0, inherited = 0;
};

SReadBack ReadBack(const std::wstring& folder) {
  SReadBack found;
  const CHandle handle(CreateFileW(folder.c_str(), READ_CONTROL, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  PSID owner = nullptr;
  PACL list = nullptr;
  PSECURITY_DESCRIPTOR raw = nullptr;
  if (!handle || GetSecurityInfo(handle.Get(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                                 &owner, nullptr, &list, nullptr, &raw) != ERROR_SUCCESS) {
    return found;
  }
  const CLocalMemory descriptor(raw);
  found.ownerIsAdministrators = IsWellKnownSid(owner, WinBuiltinAdministratorsSid) != FALSE;
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  GetSecurityDescriptorControl(raw, &control, &revision);
  found.isProtected = (control & SE_DACL_PROTECTED) != 0;
  for (DWORD i = 0; list && i < list->AceCount; ++i) {
    void* entry = nullptr;
    if (!GetAce(list, i, &entry)) continue;
    ++found.entries;
    const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(entry);
    if (allowed->Header.AceFlags & INHERITED_ACE) ++found.inherited;
    if (allowed->Header.AceType != ACCESS_ALLOWED_ACE_TYPE || allowed->Mask != FILE_ALL_ACCESS) continue;
    PSID sid = const_cast<DWORD*>(&allowed->SidStart);
    if (IsWellKnownSid(sid, WinLocalSystemSid)) ++found.systemFull;
    if (IsWellKnownSid(sid, WinBuiltinAdministratorsSid)) ++found.administratorsFull;
  }
  return found;
}

void ExpectProtected(const std::wstring& folder) {
  const SReadBack found = ReadBack(folder);
  EXPECT_TRUE(found.ownerIsAdministrators) << folder;
  EXPECT_TRUE(found.isProtected) << folder;
  EXPECT_EQ(found.entries, 2) << folder;
  EXPECT_EQ(found.systemFull, 1) << folder;
  EXPECT_EQ(found.administratorsFull, 1) << folder;
  EXPECT_EQ(found.inherited, 0) << folder;
}

class ProtectedFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    root = std::wstring(temp) + L"corvane-protected-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    ASSERT_TRUE(CreateDirectoryW(root.c_str(), nullptr));
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);  // links are removed, not followed
  }
  // As the updater does: the access list is required where it runs elevated.
  std::wstring Prepare() {
    std::wstring reason;
    const std::wstring folder = PrepareProtectedFolder(root, L"Corvane(tavrel)\\Updates", IsProcessElevated(), reason);
    EXPECT_EQ(reason, L"");
    return folder;
  }

  std::wstring root;
};

TEST_F(ProtectedFolderTest, MadeWithAProtectedListAndRemadeWhenSomeoneElseMadeIt) {
  if (!IsProcessElevated()) {
    SCOPED_TRACE("not elevated (Wine): a system that keeps no owner or protected list fails the strict check");
    std::wstring reason;
    EXPECT_EQ(PrepareProtectedFolder(root, L"Strict\\Updates", /*requireProtection=*/true, reason), L"");
    EXPECT_NE(reason.find(L"without the access list"), std::wstring::npos) << reason;
  } else {
    {
      SCOPED_TRACE("made fresh: both levels read back protected");
      const std::wstring folder = Prepare();
      ASSERT_EQ(folder, root + L"Corvane(tavrel)\\Updates\\");
      ExpectProtected(root + L"Corvane(tavrel)");
      ExpectProtected(folder);
      EXPECT_TRUE(IsProtectedFolder(folder));
    }
    {
      SCOPED_TRACE("a level with an ordinary, inherited list is removed with what it holds and made again");
      const std::wstring level = root + L"Corvane(tavrel)\\Updates";
      ASSERT_TRUE(RemoveDirectoryW(level.c_str()));
      ASSERT_TRUE(CreateDirectoryW(level.c_str(), nullptr));
      const std::wstring planted = level + L"\\package-1-1.zip";
      CHandle(CreateFileW(planted.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
      EXPECT_FALSE(IsProtectedFolder(level));
      EXPECT_EQ(Prepare(), level + L"\\");
      ExpectProtected(level);
      EXPECT_EQ(GetFileAttributesW(planted.c_str()), INVALID_FILE_ATTRIBUTES);
    }
  }
  ASSERT_EQ(Prepare(), root + L"Corvane(tavrel)\\Updates\\");
  {
    SCOPED_TRACE("a link in place of a level goes; what it pointed to stays");
    const std::wstring elsewhere = root + L"elsewhere";
    const std::wstring kept = elsewhere + L"\\kept.txt";
    ASSERT_TRUE(CreateDirectoryW(elsewhere.c_str(), nullptr));
    CHandle(CreateFileW(kept.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    const std::wstring level = root + L"Corvane(tavrel)\\Updates";
    ASSERT_TRUE(RemoveDirectoryW(level.c_str()));
    if (!CreateSymbolicLinkW(level.c_str(), elsewhere.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY)) {
      GTEST_SKIP() << "this system makes no symbolic link (error " << GetLastError() << ")";
    }
    const DWORD linkAttributes = GetFileAttributesW(level.c_str());
    if (linkAttributes == INVALID_FILE_ATTRIBUTES) {
      GTEST_SKIP() << "this system reported a symbolic link it did not make";
    }
    ASSERT_NE(linkAttributes & FILE_ATTRIBUTE_REPARSE_POINT, 0u) << "the link is no reparse point";
    EXPECT_FALSE(IsProtectedFolder(level));
    EXPECT_EQ(Prepare(), level + L"\\");
    EXPECT_EQ(GetFileAttributesW(level.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
    if (IsProcessElevated()) ExpectProtected(level);
    EXPECT_NE(GetFileAttributesW(kept.c_str()), INVALID_FILE_ATTRIBUTES);
  }
}

TEST_F(ProtectedFolderTest, TheHeldCopyCannotBeWrittenReplacedOrRemovedByOthers) {
  const std::wstring folder = Prepare();
  ASSERT_FALSE(folder.empty());
  const std::wstring download = root + L"download.zip";
  {
    CHandle file(CreateFileW(download.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.Get(), "PK-bytes", 8, &written, nullptr));
  }
  CHeldPackage package;
  std::wstring reason;
  ASSERT_TRUE(package.Hold(download, folder, reason)) << reason;
  WIN32_FIND_DATAW found = {};
  const HANDLE first = FindFirstFileW((folder + L"package-*.zip").c_str(), &found);
  ASSERT_NE(first, INVALID_HANDLE_VALUE);
  const CFindHandle search(first);
  const std::wstring copy = folder + found.cFileName;
  for (DWORD share : {DWORD(FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE), DWORD(0)}) {
    const CHandle writer(CreateFileW(copy.c_str(), GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(writer.IsValid()) << "share " << share;
  }
  EXPECT_FALSE(DeleteFileW(copy.c_str()));
  EXPECT_FALSE(MoveFileExW(download.c_str(), copy.c_str(), MOVEFILE_REPLACE_EXISTING));
  char bytes[16] = {};
  uint32_t got = 0;
  ASSERT_TRUE(package.ReadAt(3, bytes, sizeof bytes, got));
  EXPECT_EQ(std::string(bytes, got), "bytes");
  package.Release();
  EXPECT_EQ(GetFileAttributesW(copy.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace corvane
