#include "updater/UnpackJournal.h"

#include "base/TextConvert.h"

namespace corvane {
namespace {

constexpr std::string_view kHeader = "corvane unpack journal 1";

const char* PhaseWord(EUnpackPhase phase) {
  switch (phase) {
    case EUnpackPhase::kStaging: return "staging";
    case EUnpackPhase::kSwapping: return "swapping";
    case EUnpackPhase::kDone: return "done";
  }
  return "";
}

bool ReadPhase(std::string_view word, EUnpackPhase& phase) {
  for (EUnpackPhase p : {EUnpackPhase::kStaging, EUnpackPhase::kSwapping, EUnpackPhase::kDone}) {
    if (word == PhaseWord(p)) {
      phase = p;
      return true;
    }
  }
  return false;
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// One line without its "\n"; false when no complete line is left.
bool NextLine(std::string_view& text, std::string_view& line) {
  const size_t end = text.find('\n');
  if (end == std::string_view::npos) return false;
  line = text.substr(0, end);
  text.remove_prefix(end + 1);
  return true;
}

bool ReadItem(std::string_view line, SUnpackJournal& journal) {
  if (StartsWith(line, "file 0 ") || StartsWith(line, "file 1 ")) {
    const std::wstring name = Utf8ToWide(line.substr(7));
    if (name.empty()) return false;
    journal.files.push_back({name, line[5] == '1'});
    return true;
  }
  if (StartsWith(line, "folder ")) {
    const std::wstring name = Utf8ToWide(line.substr(7));
    if (name.empty()) return false;
    journal.newFolders.push_back(name);
    return true;
  }
  return false;
}

}  // namespace

std::string FormatUnpackJournal(const SUnpackJournal& journal) {
  std::string text(kHeader);
  text += "\nphase ";
  text += PhaseWord(journal.phase);
  text += '\n';
  for (const SJournalFile& file : journal.files) {
    text += file.hadOld ? "file 1 " : "file 0 ";
    text += WideToUtf8(file.name) + '\n';
  }
  for (const std::wstring& folder : journal.newFolders) text += "folder " + WideToUtf8(folder) + '\n';
  text += "end\n";
  return text;
}

bool ParseUnpackJournal(std::string_view text, SUnpackJournal& journal) {
  journal = SUnpackJournal();
  std::string_view line;
  if (!NextLine(text, line) || line != kHeader) return false;
  if (!NextLine(text, line) || !StartsWith(line, "phase ") || !ReadPhase(line.substr(6), journal.phase)) {
    return false;
  }
  while (NextLine(text, line)) {
    if (line == "end") return text.empty();
    if (!ReadItem(line, journal)) return false;
  }
  return false;  // no "end": the record was cut
}

}  // namespace corvane
