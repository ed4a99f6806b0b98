#pragma once
// The file dialogs' filters: the save dialog that asks where a join goes
// (in an order that puts the first input's kind first, and its proposed
// name), and the open dialog that adds files to the list.
#include <string>
#include <vector>

namespace corvane {

struct SFileFilter {
  std::wstring label;    // English; the dialog shows its translation
  std::wstring pattern;  // "*.flv"
};

// Always six entries, "All Files (*.*)" last. A first file of no known
// kind gets the FLV order.
std::vector<SFileFilter> OutputFilters(const std::wstring& firstFile);

// The first file's title (no folder, no extension) followed by "_all".
std::wstring ProposedOutputName(const std::wstring& firstFile);

// The open dialog's five filters, "All Files (*.*)" first.
std::vector<SFileFilter> InputFilters();

// The classic multiple-selection open dialog's result: a buffer of
// zero-terminated strings ending with an empty one. One string is a full
// path; several are a folder followed by file names, given back as full
// paths.
std::vector<std::wstring> SplitMultiSelection(const std::wstring& buffer);

// The dialogs' default extension, without the dot.
constexpr wchar_t kDefaultOutputExtension[] = L"flv";

}  // namespace corvane
