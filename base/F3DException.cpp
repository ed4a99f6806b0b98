#include "base/F3DException.h"

namespace corvane {
namespace {

const wchar_t* const kFileCauseTemplates[] = {
    L"No error occurred.",
    L"An unknown error occurred while accessing %s.",
    L"%s was not found.",
    L"%s contains an invalid path.",
    L"%s could not be opened because there are too many open files.",
    L"Access to %s was denied.",
    L"An invalid file handle was associated with %s.",
    L"%s could not be removed because it is the current directory.",
    L"%s could not be created because the directory is full.",
    L"Seek failed on %s",
    L"A hardware I/O error was reported while accessing %s.",
    L"A sharing violation occurred while accessing %s.",
    L"A locking violation occurred while accessing %s.",
    L"Disk full while accessing %s.",
    L"An attempt was made to access %s past its end.",
    L"Invalid Parameter.",
};

const wchar_t* const kArchiveCauseTemplates[] = {
    L"No error occurred.",
    L"An unknown error occurred while accessing %s.",
    L"An attempt was made to write to the reading %s.",
    L"An attempt was made to access %s past its end.",
    L"An attempt was made to read from the writing %s.",
    L"%s has a bad format.",
    L"%s contained an unexpected object.",
    L"%s contains an incorrect schema.",
};

template <size_t N>
const wchar_t* PickTemplate(const wchar_t* const (&table)[N], int32_t cause) {
  // A cause nobody defined is reported as the unknown error rather than
  // reading outside the table.
  if (cause < 0 || static_cast<size_t>(cause) >= N) return table[1];
  return table[cause];
}

// Replaces every "%s" of the template by the file name; nothing else in the
// templates is a format directive, so a "%" in a file name stays as it is.
std::wstring FillTemplate(const wchar_t* text, const std::wstring& fileName) {
  std::wstring out;
  for (const wchar_t* p = text; *p; ++p) {
    if (p[0] == L'%' && p[1] == L's') {
      out += fileName;
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

}  // namespace

const wchar_t* CF3DException::GetErrorMessage() const { return L""; }

const wchar_t* CF3DMemoryException::GetErrorMessage() const { return L"Out of memory."; }

const wchar_t* CF3DNotSupportedException::GetErrorMessage() const {
  return L"An unsupported operation was attempted.";
}

const wchar_t* CF3DCauseException::GetErrorMessage() const {
  m_message = FillTemplate(Template(m_cause), m_fileName);
  return m_message.c_str();
}

const wchar_t* CF3DFileException::Template(int32_t cause) const {
  return PickTemplate(kFileCauseTemplates, cause);
}

const wchar_t* CF3DArchiveException::Template(int32_t cause) const {
  return PickTemplate(kArchiveCauseTemplates, cause);
}

}  // namespace corvane
