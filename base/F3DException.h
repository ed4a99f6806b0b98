#pragma once
// The foundation's exception family.
//
// Thrown by value, caught by reference. Every member can render a message;
// the two cause-carrying classes format theirs into their own buffer each
// time it is asked for, and the returned pointer stays valid as long as the
// exception object (or until the message is asked for again).
#include <cstdint>
#include <string>

namespace corvane {

class CF3DException {
 public:
  CF3DException() = default;
  virtual ~CF3DException() = default;
  CF3DException(const CF3DException&) = default;
  CF3DException& operator=(const CF3DException&) = default;

  // The user-readable text of the failure; empty for the base class.
  virtual const wchar_t* GetErrorMessage() const;
};

class CF3DMemoryException : public CF3DException {
 public:
  const wchar_t* GetErrorMessage() const override;
};

class CF3DNotSupportedException : public CF3DException {
 public:
  const wchar_t* GetErrorMessage() const override;
};

// Carries a pointer to a constant text (a literal); the text is not copied.
class CF3DSimpleTextException : public CF3DException {
 public:
  explicit CF3DSimpleTextException(const wchar_t* text) : m_text(text ? text : L"") {}
  const wchar_t* GetErrorMessage() const override { return m_text; }

 private:
  const wchar_t* m_text;
};

// Shared shape of the file and archive exceptions: a cause code and the name
// of the file it happened on, rendered through a per-cause template in which
// "%s" stands for the file name.
class CF3DCauseException : public CF3DException {
 public:
  int32_t Cause() const { return m_cause; }
  const std::wstring& FileName() const { return m_fileName; }
  void SetCause(int32_t cause) { m_cause = cause; }
  void SetFileName(const std::wstring& fileName) { m_fileName = fileName; }
  const wchar_t* GetErrorMessage() const override;

 protected:
  CF3DCauseException(int32_t cause, const std::wstring& fileName)
      : m_cause(cause), m_fileName(fileName) {}
  // The template of a cause; the "unknown error" template for causes outside the table.
  virtual const wchar_t* Template(int32_t cause) const = 0;

 private:
  int32_t m_cause;
  std::wstring m_fileName;
  mutable std::wstring m_message;
};

class CF3DFileException : public CF3DCauseException {
 public:
  enum ECause : int32_t {
    none = 0,
    genericException = 1,
    fileNotFound = 2,
    badPath = 3,
    tooManyOpenFiles = 4,
    accessDenied = 5,
    invalidFile = 6,
    removeCurrentDir = 7,
    directoryFull = 8,
    badSeek = 9,
    hardIO = 10,
    sharingViolation = 11,
    lockViolation = 12,
    diskFull = 13,
    endOfFile = 14,
    invalidParameter = 15,
  };
  explicit CF3DFileException(int32_t cause = none, const std::wstring& fileName = std::wstring())
      : CF3DCauseException(cause, fileName) {}

 protected:
  const wchar_t* Template(int32_t cause) const override;
};

class CF3DArchiveException : public CF3DCauseException {
 public:
  enum ECause : int32_t {
    none = 0,
    genericException = 1,
    readOnly = 2,
    endOfFile = 3,
    writeOnly = 4,
    badIndex = 5,
    badClass = 6,
    badSchema = 7,
  };
  explicit CF3DArchiveException(int32_t cause = none, const std::wstring& fileName = std::wstring())
      : CF3DCauseException(cause, fileName) {}

 protected:
  const wchar_t* Template(int32_t cause) const override;
};

}  // namespace corvane
