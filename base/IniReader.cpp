#include "base/IniReader.h"

#include <cwctype>

#include "base/TextConvert.h"
#include "base/TrimBlanks.h"

namespace corvane {
namespace {

constexpr uint32_t kIniOpenFlags = CF3DFile::modeRead | CF3DFile::shareDenyWrite | CF3DFile::modeNoInherit;
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsHeaderSpace(wchar_t c) { return IsBlank(c) || c == L'\r' || c == L'\n'; }

bool SameLetter(wchar_t a, wchar_t b) { return std::towlower(a) == std::towlower(b); }

size_t SkipBlanks(const std::wstring& line, size_t at) {
  while (at < line.size() && IsBlank(line[at])) ++at;
  return at;
}

std::wstring Trim(const std::wstring& text) { return TrimIf(text, &IsBlank); }

// True when `line` holds `word` at `at` regardless of case; moves `at` past it.
bool MatchWord(const std::wstring& line, size_t& at, const std::wstring& word) {
  if (line.size() - at < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (!SameLetter(line[at + i], word[i])) return false;
  }
  at += word.size();
  return true;
}

// "[ name ]" with optional white space before the bracket and blanks inside.
bool IsHeaderOf(const std::wstring& line, const std::wstring& section) {
  size_t at = 0;
  while (at < line.size() && IsHeaderSpace(line[at])) ++at;
  if (at == line.size() || line[at] != L'[') return false;
  at = SkipBlanks(line, at + 1);
  if (!MatchWord(line, at, section)) return false;
  at = SkipBlanks(line, at);
  return at < line.size() && line[at] == L']';
}

bool IsAnyHeader(const std::wstring& line) {
  const size_t at = SkipBlanks(line, 0);
  return at < line.size() && line[at] == L'[' && line.find(L']', at) != std::wstring::npos;
}

// The value of "key = value" for `key`, from just after the "=" (leading
// blanks of the value stay); false when the line is about another key.
bool MatchKey(const std::wstring& line, const std::wstring& key, std::wstring& value) {
  size_t at = SkipBlanks(line, 0);
  if (!MatchWord(line, at, key)) return false;
  at = SkipBlanks(line, at);
  if (at == line.size() || line[at] != L'=') return false;
  value = line.substr(at + 1);
  return true;
}

std::wstring ExpandLineBreaks(const std::wstring& value) {
  std::wstring out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == L'\\' && i + 1 < value.size() && value[i + 1] == L'n') {
      out += L'\n';
      ++i;
    } else {
      out += value[i];
    }
  }
  return out;
}

}  // namespace

// Reads the file line by line through a block buffer, from just after the
// byte-order mark.
class CIniReader::CLineReader {
 public:
  CLineReader(CF3DFile& file, bool utf8) : m_file(file) {
    m_file.Seek(utf8 ? 3 : 0, CF3DFile::begin);
  }

  // The next line without its line feed (and a carriage return before it);
  // false at the end. A line longer than kMaxLine bytes ends the reading.
  bool Next(std::string& line) {
    if (m_ended) return false;
    line.clear();
    for (;;) {
      if (m_at == m_end && !Refill()) {
        // A last line without line feed still counts.
        m_ended = true;
        return !line.empty();
      }
      const char c = m_block[m_at++];
      if (c == '\n') break;
      if (line.size() == kMaxLine) {
        m_ended = true;
        return false;
      }
      line += c;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
  }

 private:
  bool Refill() {
    m_at = 0;
    m_end = m_file.Read(m_block, sizeof m_block);
    return m_end > 0;
  }

  CF3DFile& m_file;
  char m_block[4096];
  size_t m_at = 0;
  size_t m_end = 0;
  bool m_ended = false;
};

bool CIniReader::Open(const std::wstring& path) {
  auto file = std::make_unique<CF3DFile>();
  if (!file->Open(path, kIniOpenFlags)) {
    m_file.reset();
    return false;
  }
  return Attach(std::move(file));
}

bool CIniReader::Attach(std::unique_ptr<CF3DFile> file) {
  m_file.reset();
  m_utf8 = false;
  try {
    char mark[3] = {};
    file->Seek(0, CF3DFile::begin);
    m_utf8 = file->Read(mark, 3) == 3 && std::string(mark, 3) == kUtf8Mark;
  } catch (const CF3DException&) {
    return false;
  }
  m_file = std::move(file);
  return true;
}

std::wstring CIniReader::Decode(const std::string& bytes) const {
  return m_utf8 ? Utf8ToWide(bytes) : SystemAnsiToWide(bytes);
}

bool CIniReader::FindSection(CLineReader& reader, const std::wstring& section) const {
  std::string line;
  while (reader.Next(line)) {
    if (IsHeaderOf(Decode(line), section)) return true;
  }
  return false;
}

std::wstring CIniReader::GetString(const std::wstring& section, const std::wstring& key,
                                   const std::wstring& fallback) const {
  if (!m_file || key.empty()) return fallback;
  try {
    CLineReader reader(*m_file, m_utf8);
    if (!FindSection(reader, section)) return fallback;
    std::string bytes;
    while (reader.Next(bytes)) {
      const std::wstring line = Decode(bytes);
      if (IsAnyHeader(line)) return fallback;
      std::wstring value;
      if (MatchKey(line, key, value)) return value.substr(0, kMaxLine);
    }
  } catch (const CF3DException&) {
    // An unreadable file holds no values.
  }
  return fallback;
}

IniPairs CIniReader::ReadSection(const std::wstring& section) const {
  IniPairs pairs;
  if (!m_file) return pairs;
  try {
    CLineReader reader(*m_file, m_utf8);
    if (!FindSection(reader, section)) return pairs;
    std::string bytes;
    while (reader.Next(bytes)) {
      const std::wstring line = Decode(bytes);
      if (IsAnyHeader(line)) break;
      const size_t equals = line.find(L'=');
      if (equals == std::wstring::npos) continue;
      pairs.emplace_back(Trim(line.substr(0, equals)), ExpandLineBreaks(Trim(line.substr(equals + 1))));
    }
  } catch (const CF3DException&) {
    // Keep what was read before the failure.
  }
  return pairs;
}

}  // namespace corvane
