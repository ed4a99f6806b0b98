#pragma once
// Unpacks an archive over a folder all or nothing.
//
// Stage checks every entry name and writes every entry, CRC-checked, to a
// pending file beside its target; nothing the folder held is touched yet, so
// the running program can stay open while this happens. Commit then moves
// each old file aside as a backup and the pending file in its place; the
// backups go only once every file is in place, and any failure puts every
// old file back. A journal in the folder records the plan, so that a run
// that was killed half-way is undone by the next one
// (RecoverInterruptedUnpack).
//
// UI thread of the updater (or a test); all file work goes through
// IUnpackFileSystem.
#include <string>
#include <vector>

#include "updater/UnpackFileSystem.h"
#include "updater/UnpackJournal.h"

namespace corvane {

class CUnzipper;

class CUnpackTransaction {
 public:
  // `folder` is where the entries go; `files` must outlive the transaction.
  CUnpackTransaction(std::wstring folder, IUnpackFileSystem& files);
  CUnpackTransaction(const CUnpackTransaction&) = delete;
  CUnpackTransaction& operator=(const CUnpackTransaction&) = delete;

  // Undoes what an interrupted run left, then checks and writes every entry
  // of the open archive to its pending file. False when the archive is not
  // open, has no entries, holds a name that is refused or two names for
  // one file, a target's path inside the folder passes through a junction
  // or link, its entries add up to more than 2 GiB or than the folder's disk
  // has free (checked before anything is written; see Refusal()), or an
  // entry cannot be written; the folder is then as it was.
  bool Stage(CUnzipper& archive);
  // Why the last Stage refused the package by its sizes (English, for the
  // log); empty otherwise.
  const std::wstring& Refusal() const { return m_refusal; }
  // Swaps the staged files in; a file that is busy is tried again for about
  // 3 s. False when any file cannot be replaced; every file this run moved
  // is then as it was before Stage, and a file that appeared since Stage is
  // left alone (or, should putting back fail, the journal stays for the next
  // run to finish the job).
  bool Commit();
  // Removes the pending files, new folders and journal of a staged unpack
  // that will not be committed.
  void Abandon();

 private:
  struct SEntry {
    std::wstring name;
    uint32_t dosDate = 0;
    uint64_t size = 0;  // uncompressed, as the archive's directory says
  };

  bool ReadEntries(CUnzipper& archive, std::vector<SEntry>& entries) const;
  bool FitsOnDisk(const std::vector<SEntry>& entries);
  bool PlanTargets(const std::vector<SEntry>& entries);
  bool MakeNewFolders();
  bool WritePendingFiles(CUnzipper& archive, const std::vector<SEntry>& entries);
  bool SwapIn(const SJournalFile& file);
  bool WriteJournal(EUnpackPhase phase);
  std::wstring PathOf(const std::wstring& name) const;

  std::wstring m_folder;
  IUnpackFileSystem& m_files;
  SUnpackJournal m_journal;
  std::wstring m_refusal;
  bool m_staged = false;
};

// Undoes an unpack whose journal is still in `folder` (or, when it had put
// every file in place, removes its backups). True when no journal is left
// afterwards; false when the record cannot be read or a file cannot be put
// back, in which case the journal stays for another try.
bool RecoverInterruptedUnpack(const std::wstring& folder, IUnpackFileSystem& files);

}  // namespace corvane
