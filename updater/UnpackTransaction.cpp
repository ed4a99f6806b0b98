#include "updater/UnpackTransaction.h"

#include <set>

#include "updater/UnzipPaths.h"
#include "updater/Unzipper.h"

namespace corvane {
namespace {

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
  return EntryTargetPath(folder, name, /*flatten=*/false);
}

std::wstring JournalPath(const std::wstring& folder) { return JoinPath(folder, kUnpackJournalName); }

std::wstring JournalDraftPath(const std::wstring& folder) { return JournalPath(folder) + L".new"; }

bool IsFile(IUnpackFileSystem& files, const std::wstring& path) { return files.PathKind(path) == EFileKind::kFile; }

// What an update may unpack at most, whatever the disk holds.
constexpr uint64_t kUnpackSizeLimit = uint64_t{2} << 30;

// Runs `step` again while the file is busy, 100, 200, 400, 800 and 1600 ms
// apart (about 3 s): a program that has just closed, a virus scanner or the
// search indexer often keeps a file open a moment longer.
template <class TStep>
EFileOp RetryWhileBusy(IUnpackFileSystem& files, const TStep& step) {
  EFileOp result = step();
  for (uint32_t wait = 100; result == EFileOp::kBusy && wait <= 1600; wait *= 2) {
    files.Wait(wait);
    result = step();
  }
  return result;
}

bool MoveRetrying(IUnpackFileSystem& files, const std::wstring& from, const std::wstring& to) {
  return RetryWhileBusy(files, [&] { return files.Move(from, to); }) == EFileOp::kDone;
}

// Removes a file if it is there; true when it is gone.
bool RemoveIfThere(IUnpackFileSystem& files, const std::wstring& path) {
  return !IsFile(files, path) || files.Remove(path);
}

// Puts one file back as it was before the unpack; true on success.
bool RestoreFile(IUnpackFileSystem& files, const std::wstring& folder, const SJournalFile& file, bool swapping) {
  const std::wstring target = JoinPath(folder, file.name);
  bool restored = true;
  if (swapping) {
    if (file.hadOld) {
      // Without a backup the old file was never moved: it is still in place.
      if (IsFile(files, BackupPathFor(target))) restored = MoveRetrying(files, BackupPathFor(target), target);
    } else if (!IsFile(files, PendingPathFor(target))) {
      // The pending file was moved in, so what is at the target is ours. While
      // it is still pending, a file at the target came from elsewhere (it
      // appeared after the plan, and the swap refused it) and stays.
      restored = RemoveIfThere(files, target);
    }
  }
  return RemoveIfThere(files, PendingPathFor(target)) && restored;
}

// Undoes (or, for a finished unpack, tidies up after) what a journal names.
bool UndoUnpack(IUnpackFileSystem& files, const std::wstring& folder, const SUnpackJournal& journal) {
  bool undone = true;
  if (journal.phase == EUnpackPhase::kDone) {
    // Every new file is in place; a backup that will not go is only clutter.
    for (const SJournalFile& file : journal.files) {
      const std::wstring target = JoinPath(folder, file.name);
      RemoveIfThere(files, BackupPathFor(target));
      RemoveIfThere(files, PendingPathFor(target));
    }
  } else {
    const bool swapping = journal.phase == EUnpackPhase::kSwapping;
    for (auto file = journal.files.rbegin(); file != journal.files.rend(); ++file) {
      if (!RestoreFile(files, folder, *file, swapping)) undone = false;
    }
    // A new folder that is not empty holds something the unpack did not put
    // there; it stays, and does not keep the journal alive.
    for (auto name = journal.newFolders.rbegin(); name != journal.newFolders.rend(); ++name) {
      files.RemoveFolder(JoinPath(folder, *name));
    }
  }
  if (!undone) return false;
  RemoveIfThere(files, JournalDraftPath(folder));
  return RemoveIfThere(files, JournalPath(folder));
}

// Every parent of `name` ("a", "a\b" for "a\b\c.txt").
std::vector<std::wstring> ParentNames(const std::wstring& name) {
  std::vector<std::wstring> parents;
  for (size_t cut = name.find(L'\\'); cut != std::wstring::npos; cut = name.find(L'\\', cut + 1)) {
    parents.push_back(name.substr(0, cut));
  }
  return parents;
}

}  // namespace

bool RecoverInterruptedUnpack(const std::wstring& folder, IUnpackFileSystem& files) {
  const std::wstring journalPath = JournalPath(folder);
  if (!IsFile(files, journalPath)) {
    // A draft without a journal was never put in force: nothing was touched.
    RemoveIfThere(files, JournalDraftPath(folder));
    return true;
  }
  std::string text;
  SUnpackJournal journal;
  if (!files.ReadWholeFile(journalPath, text) || !ParseUnpackJournal(text, journal)) return false;
  return UndoUnpack(files, folder, journal);
}

CUnpackTransaction::CUnpackTransaction(std::wstring folder, IUnpackFileSystem& files)
    : m_folder(std::move(folder)), m_files(files) {}

bool CUnpackTransaction::Stage(CUnzipper& archive) {
  m_staged = false;
  m_refusal.clear();
  m_journal = SUnpackJournal();
  if (!RecoverInterruptedUnpack(m_folder, m_files)) return false;
  if (!archive.IsOpen() || m_folder.empty() || !CreateFolderPath(m_folder)) return false;
  std::vector<SEntry> entries;
  if (!ReadEntries(archive, entries) || !FitsOnDisk(entries) || !PlanTargets(entries)) return false;
  if (!WriteJournal(EUnpackPhase::kStaging)) {
    Abandon();
    return false;
  }
  if (!MakeNewFolders() || !WritePendingFiles(archive, entries)) {
    Abandon();
    return false;
  }
  m_staged = true;
  return true;
}

bool CUnpackTransaction::ReadEntries(CUnzipper& archive, std::vector<SEntry>& entries) const {
  if (archive.EntryCount() < 1 || !archive.FirstEntry()) return false;
  std::set<std::wstring> fileKeys, folderKeys;
  do {
    SZipEntryInfo info;
    if (!archive.CurrentEntry(info) || !IsSafeEntryName(info.name)) return false;
    const std::wstring key = EntryNameKey(info.name);
    if (info.isFolder) {
      folderKeys.insert(key);
      continue;
    }
    // Two entries for one file would leave it to the order which one wins.
    if (!fileKeys.insert(key).second) return false;
    for (const std::wstring& parent : ParentNames(key)) folderKeys.insert(parent);
    entries.push_back({info.name, info.dosDate, info.uncompressedSize});
  } while (archive.NextEntry());
  // A name used both as a file and as a folder cannot be unpacked.
  for (const std::wstring& folder : folderKeys) {
    if (fileKeys.count(folder)) return false;
  }
  return true;
}

bool CUnpackTransaction::FitsOnDisk(const std::vector<SEntry>& entries) {
  // The sizes are the archive directory's; extraction stops any entry that
  // gives more than its size, so these are what can be written at most.
  uint64_t total = 0;
  for (const SEntry& entry : entries) {
    if (entry.size > kUnpackSizeLimit - total) {
      m_refusal = L"its files add up to more than the 2 GiB an update may hold.";
      return false;
    }
    total += entry.size;
  }
  const uint64_t available = m_files.FreeSpace(m_folder);
  if (total > available) {
    m_refusal = L"its files need " + std::to_wstring(total) + L" bytes, the program's disk has " +
                std::to_wstring(available) + L" free.";
    return false;
  }
  return true;
}

bool CUnpackTransaction::PlanTargets(const std::vector<SEntry>& entries) {
  std::set<std::wstring> plannedFolders;
  for (const SEntry& entry : entries) {
    for (const std::wstring& parent : ParentNames(entry.name)) {
      const std::wstring key = EntryNameKey(parent);
      if (key.empty() || plannedFolders.count(key)) continue;
      // The updater runs as administrator: a junction or link in the
      // program folder would carry its writes (and the rollback's deletes)
      // to wherever it points.
      if (m_files.IsLink(PathOf(parent))) return false;
      switch (m_files.PathKind(PathOf(parent))) {
        case EFileKind::kFile: return false;
        case EFileKind::kMissing: m_journal.newFolders.push_back(parent); break;
        case EFileKind::kFolder: break;
      }
      plannedFolders.insert(key);
    }
    if (m_files.IsLink(PathOf(entry.name))) return false;
    const EFileKind target = m_files.PathKind(PathOf(entry.name));
    if (target == EFileKind::kFolder) return false;
    m_journal.files.push_back({entry.name, target == EFileKind::kFile});
  }
  return true;
}

bool CUnpackTransaction::MakeNewFolders() {
  for (const std::wstring& name : m_journal.newFolders) {
    if (!m_files.MakeFolder(PathOf(name))) return false;
  }
  return true;
}

bool CUnpackTransaction::WritePendingFiles(CUnzipper& archive, const std::vector<SEntry>& entries) {
  if (!archive.FirstEntry()) return false;
  size_t next = 0;
  do {
    SZipEntryInfo info;
    if (!archive.CurrentEntry(info)) return false;
    if (info.isFolder) continue;
    // The archive is read in the same order as when it was planned.
    if (next >= entries.size() || info.name != entries[next].name) return false;
    if (!m_files.ExtractEntry(archive, PendingPathFor(PathOf(info.name)), info.dosDate)) return false;
    ++next;
  } while (archive.NextEntry());
  return next == entries.size();
}

bool CUnpackTransaction::Commit() {
  if (!m_staged) return false;
  m_staged = false;
  if (!WriteJournal(EUnpackPhase::kSwapping)) {
    Abandon();
    return false;
  }
  for (const SJournalFile& file : m_journal.files) {
    if (!SwapIn(file)) {
      // Should even this fail, the journal stays and the next run finishes it.
      UndoUnpack(m_files, m_folder, m_journal);
      return false;
    }
  }
  // From here the new files count: a crash now only leaves backups to remove.
  if (!WriteJournal(EUnpackPhase::kDone)) {
    UndoUnpack(m_files, m_folder, m_journal);
    return false;
  }
  UndoUnpack(m_files, m_folder, m_journal);
  return true;
}

bool CUnpackTransaction::SwapIn(const SJournalFile& file) {
  const std::wstring target = PathOf(file.name);
  if (file.hadOld) {
    // A file a running program holds must fail here, as writing over it
    // would; one that is only busy for a moment gets a few more tries.
    if (RetryWhileBusy(m_files, [&] { return m_files.CanOverwrite(target); }) != EFileOp::kDone ||
        !MoveRetrying(m_files, target, BackupPathFor(target))) {
      return false;
    }
  }
  // The target is free now (the old file is aside, or the package's file is
  // new). A file that appears there since the plan or the backup is not ours
  // to replace: the move itself refuses it, so there is no moment between a
  // check and the move in which one could appear and be lost.
  return RetryWhileBusy(m_files, [&] { return m_files.MoveToFreeName(PendingPathFor(target), target); }) ==
         EFileOp::kDone;
}

void CUnpackTransaction::Abandon() {
  m_staged = false;
  m_journal.phase = EUnpackPhase::kStaging;
  UndoUnpack(m_files, m_folder, m_journal);
}

bool CUnpackTransaction::WriteJournal(EUnpackPhase phase) {
  SUnpackJournal next = m_journal;
  next.phase = phase;
  // Written beside and renamed over, so a crash leaves the old record or the
  // new one; the phase in memory changes only with the one on disk.
  const std::wstring draft = JournalDraftPath(m_folder);
  if (m_files.WriteWholeFile(draft, FormatUnpackJournal(next)) && MoveRetrying(m_files, draft, JournalPath(m_folder))) {
    m_journal.phase = phase;
    return true;
  }
  RemoveIfThere(m_files, draft);
  return false;
}

std::wstring CUnpackTransaction::PathOf(const std::wstring& name) const { return JoinPath(m_folder, name); }

}  // namespace corvane
