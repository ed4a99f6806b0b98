#include "updater/UnpackTransaction.h"

#include <gtest/gtest.h>

#include "tests/updater/UpdaterTestFiles.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <vector>

#include "updater/UnzipPaths.h"
#include "updater/Unzipper.h"

using namespace corvane;
namespace fs = std::filesystem;

namespace {

using updater_test::Fixture;
using updater_test::ReadAll;
using updater_test::WriteAll;

// Everything under a folder: each file's bytes, and each folder (as "name/").
using TSnapshot = std::map<std::string, std::string>;

TSnapshot Snapshot(const fs::path& folder) {
  TSnapshot shot;
  for (const auto& item : fs::recursive_directory_iterator(folder)) {
    const std::string name = fs::relative(item.path(), folder).generic_u8string();
    shot[item.is_directory() ? name + "/" : name] = item.is_directory() ? "" : ReadAll(item.path());
  }
  return shot;
}

bool EndsWith(const std::wstring& text, const std::wstring& suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Stands for the program being killed at some point of an unpack.
struct SCrash {};

// The real file system with faults on demand.
class CFaultyFiles : public CUnpackFileSystem {
 public:
  int failSwap = 0;            // the n-th move of a pending file over its target fails
  std::wstring busyName;       // a target another process holds open ...
  int busyTries = 0;           // ... for this many tries of replacing it
  int crashAtOperation = 0;    // the n-th changing operation never happens: the run dies
  int operations = 0;
  uint64_t freeSpace = UINT64_MAX;
  std::vector<uint32_t> waits;

  std::wstring appearName;     // a file someone else makes at its target just before it is swapped in

  EFileOp Move(const std::wstring& from, const std::wstring& to) override {
    return Swap(from, to, [&] { return CUnpackFileSystem::Move(from, to); });
  }
  EFileOp MoveToFreeName(const std::wstring& from, const std::wstring& to) override {
    return Swap(from, to, [&] { return CUnpackFileSystem::MoveToFreeName(from, to); });
  }
  EFileOp CanOverwrite(const std::wstring& path) override {
    return Busy(path) ? EFileOp::kBusy : CUnpackFileSystem::CanOverwrite(path);
  }
  uint64_t FreeSpace(const std::wstring&) override { return freeSpace; }
  void Wait(uint32_t ms) override { waits.push_back(ms); }
  bool Remove(const std::wstring& path) override { return Step(), CUnpackFileSystem::Remove(path); }
  bool MakeFolder(const std::wstring& path) override { return Step(), CUnpackFileSystem::MakeFolder(path); }
  bool RemoveFolder(const std::wstring& path) override { return Step(), CUnpackFileSystem::RemoveFolder(path); }
  bool WriteWholeFile(const std::wstring& path, const std::string& bytes) override {
    return Step(), CUnpackFileSystem::WriteWholeFile(path, bytes);
  }
  bool ExtractEntry(CUnzipper& archive, const std::wstring& path, uint32_t dosDate) override {
    return Step(), CUnpackFileSystem::ExtractEntry(archive, path, dosDate);
  }

 private:
  template <class TMove>
  EFileOp Swap(const std::wstring& from, const std::wstring& to, const TMove& move) {
    Step();
    if (Busy(from) || Busy(to)) return EFileOp::kBusy;
    if (EndsWith(from, kPendingSuffix) && ++m_swaps == failSwap) return EFileOp::kFailed;
    if (!appearName.empty() && EndsWith(from, appearName + kPendingSuffix)) WriteAll(to, "made by someone else\n");
    return move();
  }
  void Step() {
    if (++operations == crashAtOperation) throw SCrash{};
  }
  // The target itself (not its pending file or backup) while it is held.
  bool Busy(const std::wstring& path) {
    const size_t cut = path.size() - std::min(path.size(), busyName.size() + 1);
    const std::wstring tail = path.substr(cut);
    if (busyName.empty() || (tail != L"\\" + busyName && tail != L"/" + busyName) || busyTries == 0) return false;
    if (busyTries > 0) --busyTries;  // negative: held for ever
    return true;
  }
  int m_swaps = 0;
};

// <tmp>/corvane-unpack-N/prog/ holds an installed program: old versions of
// some of the archive's files and a file the archive does not touch.
class UnpackTransactionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    root = fs::temp_directory_path() / ("corvane-unpack-" + std::to_string(random()));
    prog = root / "prog";
    WriteAll(prog / "top.bin", "old top\n");
    WriteAll(prog / "empty.txt", "old, not yet empty\n");
    WriteAll(prog / "a.txt", "old a\n");
    WriteAll(prog / "sub" / "a.txt", "old sub a\n");
    WriteAll(prog / "keep.dat", "not in any package\n");
    folder = prog.wstring() + wchar_t(fs::path::preferred_separator);
    before = Snapshot(prog);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }

  bool Unpack(const char* archive, IUnpackFileSystem& files) {
    CUnzipper reader;
    if (!reader.OpenArchive(Fixture(archive).wstring())) return false;
    CUnpackTransaction transaction(folder, files);
    return transaction.Stage(reader) && transaction.Commit();
  }

  fs::path root, prog;
  std::wstring folder;
  TSnapshot before;
};

TEST_F(UnpackTransactionTest, ReplacesEveryFileAndLeavesNothingOfItsOwn) {
  CUnpackFileSystem files;
  ASSERT_TRUE(Unpack("nested.zip", files));
  TSnapshot expected = before;
  expected["sub/dir/"] = "";
  expected["sub/dir/a.txt"] = "hello from a nested folder\n";
  expected["top.bin"] = ReadAll(prog / "top.bin");
  expected["empty.txt"] = "";
  EXPECT_EQ(expected["top.bin"].size(), 50000u);
  EXPECT_EQ(Snapshot(prog), expected);  // no pending file, backup or journal either
}

// Failures found before any target is touched: the folder stays as it was,
// the running program need not be closed.
class RefusedPackage : public UnpackTransactionTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RefusedPackage, LeavesTheFolderByteForByte) {
  CUnpackFileSystem files;
  CUnzipper reader;
  ASSERT_TRUE(reader.OpenArchive(Fixture(GetParam()).wstring()));
  CUnpackTransaction transaction(folder, files);
  EXPECT_FALSE(transaction.Stage(reader));
  EXPECT_FALSE(transaction.Commit());
  EXPECT_EQ(Snapshot(prog), before);
  EXPECT_FALSE(fs::exists(root / "escape.txt"));
}

INSTANTIATE_TEST_SUITE_P(Archives, RefusedPackage,
                         ::testing::Values("bad_last.zip", "unsafe_middle.zip", "device_name.zip", "same_file.zip",
                                           "own_suffix.zip", "claims_more.zip", "claims_less.zip"),
                         [](const auto& info) { std::string name(info.param); return name.substr(0, name.find('.')); });


// nested.zip needs 50027 bytes: 27 for sub/dir/a.txt, 50000 for top.bin.
TEST_F(UnpackTransactionTest, PackageLargerThanTheFreeSpaceOrTwoGibibytesIsRefusedBeforeAnythingIsWritten) {
  struct SCase {
    const char* archive;
    uint64_t freeSpace;
    const wchar_t* reason;
  };
  for (const SCase& c : {SCase{"nested.zip", 50026, L"need 50027 bytes"},
                         SCase{"claims_3gib.zip", UINT64_MAX, L"more than the 2 GiB"}}) {
    CFaultyFiles files;
    files.freeSpace = c.freeSpace;
    CUnzipper reader;
    ASSERT_TRUE(reader.OpenArchive(Fixture(c.archive).wstring()));
    CUnpackTransaction transaction(folder, files);
    EXPECT_FALSE(transaction.Stage(reader)) << c.archive;
    EXPECT_NE(transaction.Refusal().find(c.reason), std::wstring::npos) << c.archive;
    EXPECT_EQ(files.operations, 0) << c.archive;  // not even the journal
    EXPECT_EQ(Snapshot(prog), before) << c.archive;
  }
  CFaultyFiles exactFit;
  exactFit.freeSpace = 50027;
  EXPECT_TRUE(Unpack("nested.zip", exactFit));
}

// Links made by the test; under Wine, where the system may make none, the
// same paths are reported as links through the file-system seam instead.
class CLinkedFiles : public CUnpackFileSystem {
 public:
  std::vector<std::wstring> links;
  bool IsLink(const std::wstring& path) override {
    for (const std::wstring& link : links) {
      if (EndsWith(path, link)) return true;
    }
    return CUnpackFileSystem::IsLink(path);
  }
};

TEST_F(UnpackTransactionTest, NothingIsWrittenThroughAJunctionOrLinkInsideTheFolder) {
  const fs::path outside = root / "outside";
  WriteAll(outside / "dir" / "a.txt", "outside\n");
  WriteAll(root / "outside.bin", "outside file\n");
  const TSnapshot outsideBefore = Snapshot(outside);
  struct SCase {
    const char* what;
    fs::path link;
    fs::path target;
    bool folder;
  };
  const SCase cases[] = {{"a folder of an entry's path is a link", prog / "sub", outside, true},
                         {"the target file is a link", prog / "top.bin", root / "outside.bin", false}};
  for (const SCase& item : cases) {
    SCOPED_TRACE(item.what);
    const fs::path moved = root / "moved-away";
    fs::rename(item.link, moved);
    std::error_code error;
    if (item.folder) {
      fs::create_directory_symlink(item.target, item.link, error);
    } else {
      fs::create_symlink(item.target, item.link, error);
    }
    CLinkedFiles files;
    if (error) {
      // No link from this system: a plain folder or file in its place,
      // which the seam reports as a link.
      if (item.folder) {
        fs::create_directory(item.link);
      } else {
        WriteAll(item.link, "stand-in\n");
      }
      files.links.push_back(item.link.filename().wstring());
    }
    const TSnapshot linked = Snapshot(prog);
    EXPECT_FALSE(Unpack("nested.zip", files));
    EXPECT_EQ(Snapshot(prog), linked);
    EXPECT_EQ(Snapshot(outside), outsideBefore);
    EXPECT_EQ(ReadAll(root / "outside.bin"), "outside file\n");
    fs::remove(item.link);
    fs::rename(moved, item.link);
  }
}

TEST_F(UnpackTransactionTest, FileBusyForTwoTriesIsStillSwappedIn) {
  CFaultyFiles files;
  files.busyName = L"top.bin";
  files.busyTries = 2;
  ASSERT_TRUE(Unpack("nested.zip", files));
  EXPECT_EQ(files.waits, (std::vector<uint32_t>{100, 200}));
  EXPECT_EQ(ReadAll(prog / "top.bin").size(), 50000u);
  EXPECT_EQ(ReadAll(prog / "sub" / "dir" / "a.txt"), "hello from a nested folder\n");
}

// top.bin is held for ever; empty.txt, new in this package, is made by
// someone else after Stage. The rollback undoes only what this run did.
TEST_F(UnpackTransactionTest, FileBusyForEverRollsBackAndKeepsAFileThatAppearedMeanwhile) {
  fs::remove(prog / "empty.txt");
  before = Snapshot(prog);
  CFaultyFiles files;
  files.busyName = L"top.bin";
  files.busyTries = -1;
  CUnzipper reader;
  ASSERT_TRUE(reader.OpenArchive(Fixture("nested.zip").wstring()));
  CUnpackTransaction transaction(folder, files);
  ASSERT_TRUE(transaction.Stage(reader));
  WriteAll(prog / "empty.txt", "made by someone else\n");
  EXPECT_FALSE(transaction.Commit());
  EXPECT_EQ(files.waits, (std::vector<uint32_t>{100, 200, 400, 800, 1600}));
  TSnapshot expected = before;
  expected["empty.txt"] = "made by someone else\n";
  EXPECT_EQ(Snapshot(prog), expected);  // sub/dir/a.txt, swapped in first, is gone again
}

TEST_F(UnpackTransactionTest, FileThatAppearedAfterStageIsRefusedAndKept) {
  fs::remove(prog / "empty.txt");
  before = Snapshot(prog);
  CUnpackFileSystem files;
  CUnzipper reader;
  ASSERT_TRUE(reader.OpenArchive(Fixture("nested.zip").wstring()));
  CUnpackTransaction transaction(folder, files);
  ASSERT_TRUE(transaction.Stage(reader));
  WriteAll(prog / "empty.txt", "made by someone else\n");
  EXPECT_FALSE(transaction.Commit());
  TSnapshot expected = before;
  expected["empty.txt"] = "made by someone else\n";
  EXPECT_EQ(Snapshot(prog), expected);  // the two files swapped before it are back as they were
}

// The file appears after every check the unpack could make, in the instant
// before the move: the move itself must refuse it.
TEST_F(UnpackTransactionTest, FileThatAppearsJustBeforeItsSwapIsKeptAndTheRestPutBack) {
  fs::remove(prog / "empty.txt");
  before = Snapshot(prog);
  CFaultyFiles files;
  files.appearName = L"empty.txt";
  EXPECT_FALSE(Unpack("nested.zip", files));
  TSnapshot expected = before;
  expected["empty.txt"] = "made by someone else\n";
  EXPECT_EQ(Snapshot(prog), expected);
  {
    SCOPED_TRACE("the system's move to a free name, on real files");
    CUnpackFileSystem real;
    const std::wstring a = (prog / "a.txt").wstring(), fresh = (prog / "fresh.txt").wstring();
    EXPECT_EQ(real.MoveToFreeName(a, (prog / "keep.dat").wstring()), EFileOp::kFailed);
    EXPECT_EQ(ReadAll(prog / "keep.dat"), "not in any package\n");
    EXPECT_EQ(ReadAll(prog / "a.txt"), "old a\n");
    EXPECT_EQ(real.MoveToFreeName(a, fresh), EFileOp::kDone);
    EXPECT_EQ(ReadAll(prog / "fresh.txt"), "old a\n");
    EXPECT_FALSE(fs::exists(prog / "a.txt"));
  }
}

TEST_F(UnpackTransactionTest, FailedMoveOfANewFileOnTheThirdSwapPutsBackTheFirstTwo) {
  fs::remove(prog / "empty.txt");
  before = Snapshot(prog);
  CFaultyFiles files;
  files.failSwap = 3;
  EXPECT_FALSE(Unpack("nested.zip", files));
  EXPECT_EQ(Snapshot(prog), before);
}

TEST_F(UnpackTransactionTest, CrashBetweenTwoSwapsIsUndoneByTheNextRun) {
  CFaultyFiles probe;
  ASSERT_TRUE(Unpack("nested.zip", probe));
  const int total = probe.operations;
  const TSnapshot after = Snapshot(prog);
  TearDown();
  SetUp();

  // Kill the run at every changing step in turn. The next run must find
  // either the old program or the new one, whole, and nothing of its own.
  for (int step = 1; step <= total; ++step) {
    CFaultyFiles files;
    files.crashAtOperation = step;
    EXPECT_THROW(Unpack("nested.zip", files), SCrash) << "step " << step;
    CUnpackFileSystem real;
    ASSERT_TRUE(RecoverInterruptedUnpack(folder, real)) << "step " << step;
    const TSnapshot now = Snapshot(prog);
    EXPECT_TRUE(now == before || now == after) << "step " << step << " of " << total;
    if (now == after) {
      TearDown();
      SetUp();
    }
  }
}

TEST_F(UnpackTransactionTest, NextRunRecoversAndThenInstalls) {
  CFaultyFiles files;
  files.crashAtOperation = 12;  // well inside the swaps of nested.zip's three files
  EXPECT_THROW(Unpack("nested.zip", files), SCrash);
  EXPECT_NE(Snapshot(prog), before);
  EXPECT_TRUE(fs::exists(prog / kUnpackJournalName));

  CUnpackFileSystem real;
  ASSERT_TRUE(Unpack("nested.zip", real));
  EXPECT_EQ(ReadAll(prog / "sub" / "dir" / "a.txt"), "hello from a nested folder\n");
  EXPECT_EQ(ReadAll(prog / "keep.dat"), "not in any package\n");
  for (const auto& item : fs::recursive_directory_iterator(prog)) {
    const std::wstring name = item.path().filename().wstring();
    EXPECT_FALSE(EndsWith(name, kPendingSuffix) || EndsWith(name, kBackupSuffix) || EndsWith(name, L".~jnl"))
        << item.path();
  }
}

TEST_F(UnpackTransactionTest, UnreadableJournalBlocksTheUnpack) {
  WriteAll(prog / kUnpackJournalName, "corvane unpack journal 1\nphase swapping\nfile 1 a.txt\n");  // cut short
  CUnpackFileSystem real;
  EXPECT_FALSE(RecoverInterruptedUnpack(folder, real));
  EXPECT_FALSE(Unpack("nested.zip", real));
  EXPECT_EQ(ReadAll(prog / "top.bin"), "old top\n");
}

TEST(UnpackJournal, RoundTripsAndRefusesCutOrForeignText) {
  SUnpackJournal journal;
  journal.phase = EUnpackPhase::kSwapping;
  journal.files = {{L"sub\\\u00e9t\u00e9.txt", true}, {L"new.bin", false}};
  journal.newFolders = {L"sub", L"sub\\deeper"};
  const std::string text = FormatUnpackJournal(journal);

  SUnpackJournal read;
  ASSERT_TRUE(ParseUnpackJournal(text, read));
  EXPECT_EQ(read.phase, EUnpackPhase::kSwapping);
  ASSERT_EQ(read.files.size(), 2u);
  EXPECT_EQ(read.files[0].name, journal.files[0].name);
  EXPECT_TRUE(read.files[0].hadOld);
  EXPECT_FALSE(read.files[1].hadOld);
  EXPECT_EQ(read.newFolders, journal.newFolders);

  for (size_t cut = 0; cut < text.size(); ++cut) {
    EXPECT_FALSE(ParseUnpackJournal(text.substr(0, cut), read)) << "cut at " << cut;
  }
  EXPECT_FALSE(ParseUnpackJournal(text + "file 1 late.txt\n", read));
  EXPECT_FALSE(ParseUnpackJournal("corvane unpack journal 2\nphase done\nend\n", read));
}

}  // namespace
