// The held copy of the package: the digest, the zip reader and the unpack
// read the bytes that were copied, whatever happens to the download
// afterwards (natively over a file descriptor, under Wine over a handle).
#include "updater/HeldPackage.h"

#include <gtest/gtest.h>

#include "tests/updater/UpdaterTestFiles.h"

#include <filesystem>
#include <random>

#include "updater/Sha256.h"
#include "updater/UnpackFileSystem.h"
#include "updater/UnpackTransaction.h"
#include "updater/Unzipper.h"

using namespace corvane;
namespace fs = std::filesystem;

namespace {

using updater_test::Fixture;
using updater_test::ReadAll;
using updater_test::WriteAll;

std::wstring FolderText(const fs::path& folder) { return folder.wstring() + wchar_t(fs::path::preferred_separator); }

class HeldPackageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    root = fs::temp_directory_path() / ("corvane-held-" + std::to_string(random()));
    fs::create_directories(root / "held");
    fs::create_directories(root / "prog");
    download = root / "download" / "_newver.zip";
    WriteAll(download, ReadAll(Fixture("nested.zip")));
  }
  void TearDown() override {
    package.Release();
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }

  fs::path root, download;
  CHeldPackage package;
};

TEST_F(HeldPackageTest, TheDownloadRewrittenAfterTheCopyChangesNothingThatIsCheckedOrUnpacked) {
  std::wstring reason;
  ASSERT_TRUE(package.Hold(download.wstring(), FolderText(root / "held"), reason)) << reason;
  EXPECT_EQ(package.Size(), fs::file_size(Fixture("nested.zip")));
  // What the user's programs could do to the download from now on.
  WriteAll(download, ReadAll(Fixture("unsafe_middle.zip")));

  std::string held, original;
  ASSERT_TRUE(BytesSha256(*package.Bytes(), held));
  ASSERT_TRUE(FileSha256(Fixture("nested.zip").wstring(), original));
  EXPECT_EQ(held, original);

  CUnzipper reader;
  ASSERT_TRUE(reader.OpenArchive(package));
  EXPECT_EQ(reader.EntryCount(), 4);
  CUnpackFileSystem files;
  CUnpackTransaction transaction(FolderText(root / "prog"), files);
  ASSERT_TRUE(transaction.Stage(reader));
  ASSERT_TRUE(transaction.Commit());
  EXPECT_EQ(ReadAll(root / "prog" / "sub" / "dir" / "a.txt"), "hello from a nested folder\n");
  EXPECT_FALSE(fs::exists(root / "escape.txt"));
  reader.CloseArchive();

  // The copy lives as long as it is held.
  package.Release();
  EXPECT_TRUE(fs::is_empty(root / "held"));
  EXPECT_FALSE(reader.OpenArchive(package));
}

TEST_F(HeldPackageTest, WhatCannotBeCopiedOrReadAsAnArchiveIsRefused) {
  std::wstring reason;
  EXPECT_FALSE(package.Hold((root / "missing.zip").wstring(), FolderText(root / "held"), reason));
  EXPECT_NE(reason.find(L"missing.zip"), std::wstring::npos) << reason;
  EXPECT_FALSE(package.IsHeld());
  EXPECT_FALSE(package.Hold(download.wstring(), FolderText(root / "no-such-folder"), reason));

  WriteAll(download, ReadAll(Fixture("not_a_zip.zip")));
  ASSERT_TRUE(package.Hold(download.wstring(), FolderText(root / "held"), reason)) << reason;
  CUnzipper reader;
  EXPECT_FALSE(reader.OpenArchive(package));
}

}  // namespace
