#pragma once
// The record an unpack keeps in the target folder while it runs, so that the
// next run can put the old files back after a crash or a power cut.
//
// It names every file the unpack writes (relative to the folder, with
// whether an old file was there to keep) and every folder it creates. It is
// written before the first pending file and replaced whole (written beside
// and renamed over) when the phase changes; it goes when the unpack has
// finished or has been undone.
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

enum class EUnpackPhase {
  kStaging,   // pending files being written; no target touched yet
  kSwapping,  // old files being moved aside and pending files moved in
  kDone,      // every file in place; only backups are left to remove
};

struct SJournalFile {
  std::wstring name;  // relative to the folder, backslash form
  bool hadOld = false;
};

struct SUnpackJournal {
  EUnpackPhase phase = EUnpackPhase::kStaging;
  std::vector<SJournalFile> files;       // in swap order
  std::vector<std::wstring> newFolders;  // relative, parents before children
};

// UTF-8 lines ending with an "end" line, so a cut record does not read.
std::string FormatUnpackJournal(const SUnpackJournal& journal);
// False for text that is not a whole record of this format.
bool ParseUnpackJournal(std::string_view text, SUnpackJournal& journal);

}  // namespace corvane
