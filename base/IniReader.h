#pragma once
// Reading INI-style files through CF3DFile.
//
// The file is UTF-8 when it starts with the byte-order mark EF BB BF, else
// text in the system's ANSI code page. Sections and keys match without regard
// to case. Every file failure reads as "not found": lookups then give their
// default and never throw.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/F3DFile.h"

namespace corvane {

using IniPairs = std::vector<std::pair<std::wstring, std::wstring>>;

class CIniReader {
 public:
  // Longest line and value, in bytes and characters.
  static constexpr size_t kMaxLine = 1023;

  CIniReader() = default;

  // Opens `path` for reading (deny write, not inherited); false when it cannot.
  bool Open(const std::wstring& path);
  // Reads from an already open file (a memory file in tests, for one).
  bool Attach(std::unique_ptr<CF3DFile> file);
  bool IsOpen() const { return m_file != nullptr; }
  bool IsUtf8() const { return m_utf8; }

  // The value of `key` in `section`, at most 1023 characters, or `fallback`.
  std::wstring GetString(const std::wstring& section, const std::wstring& key,
                         const std::wstring& fallback) const;
  // Every "key = value" line of the section, in file order, both sides
  // trimmed, with backslash + "n" in values turned into a line feed.
  IniPairs ReadSection(const std::wstring& section) const;

 private:
  class CLineReader;
  // Positions a reader on the first line after the section header; false
  // when the section does not exist.
  bool FindSection(CLineReader& reader, const std::wstring& section) const;
  std::wstring Decode(const std::string& bytes) const;

  std::unique_ptr<CF3DFile> m_file;
  bool m_utf8 = false;
};

}  // namespace corvane
