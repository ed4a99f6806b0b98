#pragma once
// Error codes of the HTTP client, their messages and the exceptions that carry them.
//
// Codes fall into groups by hundreds (0 unspecified, 100 the client's own,
// 200 reserved, 400 internet-library calls, 600 other platform calls, 1000 and
// up user-defined); a message is found from the group and the remainder.
#include <cstdint>
#include <exception>
#include <string>

namespace Zorpa {

enum EHttpClientError : int {
  kErrNotSpecified = 0,
  kErrUnexpected = 100,
  kErrOutOfRange = 101,
  kErrOutOfMemory = 102,
  kErrInvalidUrl = 103,
  kErrInvalidPort = 107,
  kErrHttpQueryInfo = 400,
  kErrInternetReadFile = 401,
  kErrInternetOpen = 402,
  kErrInternetConnect = 403,
  kErrHttpOpenRequest = 404,
  kErrHttpAddRequestHeaders = 405,
  kErrHttpSendRequest = 406,
  kErrWideCharToMultiByte = 600,
  kErrMultiByteToWideChar = 601,
  kErrUserDefined = 1000,
};

// The message of a code; an empty text for a code no group knows.
const char* ErrorMessageA(int code);
const wchar_t* ErrorMessageW(int code);

// An exception holding its own copy of an 8-bit message; "NULL" stands in for
// a missing text.
class errmsg_exceptionA : public std::exception {
 public:
  errmsg_exceptionA() = default;
  explicit errmsg_exceptionA(const char* message);

  const char* what() const noexcept override;
  bool HasMessage() const { return m_hasMessage; }

 private:
  std::string m_message;
  bool m_hasMessage = false;
};

// What the HTTP client raises: the message of `code`, the code itself and
// the platform's last-error number at the time of the failure.
class httpclientexceptionA : public errmsg_exceptionA {
 public:
  httpclientexceptionA(int code, uint32_t lastError);

  int Code() const { return m_code; }
  uint32_t Win32LastError() const { return m_lastError; }

 private:
  int m_code;
  uint32_t m_lastError;
};

}  // namespace Zorpa
