#include "base/http/HttpError.h"

#include <iterator>

namespace Zorpa {
namespace {

// One table per group, indexed by the remainder; 8-bit and wide texts share
// their wording, so both come from the same literal.
#define ZORPA_MSG(text) {text, L##text}
struct SMessage {
  const char* narrow;
  const wchar_t* wide;
};

const SMessage kGroup0[] = {ZORPA_MSG("Not specified")};

const SMessage kGroup100[] = {
    ZORPA_MSG("Unexpected error occurred."),
    ZORPA_MSG("The index is out of range."),
    ZORPA_MSG("Out of memory."),
    ZORPA_MSG("The requested URL is not a valid URL."),
    ZORPA_MSG("The post context is not started yet."),
    ZORPA_MSG("Couldn't read expected bytes from a file."),
    ZORPA_MSG("The post context has not been finished yet."),
    ZORPA_MSG("The port number is not valid."),
    ZORPA_MSG("std::exception occurred."),
    ZORPA_MSG("The encoded URL is not valid."),
    ZORPA_MSG("The UTF8 string contains an invalid character."),
    ZORPA_MSG("An unexpected arithmetic error has been occurred."),
    ZORPA_MSG("An arithmetic overflow error has been occurred."),
    ZORPA_MSG("An interger divide by zero exception has been occurred."),
    ZORPA_MSG("The file (%s) aleady exists."),
};

const SMessage kGroup400[] = {
    ZORPA_MSG("::HttpQueryInfo failed."),     ZORPA_MSG("::InternetReadFile failed."),
    ZORPA_MSG("::InternetOpen failed."),      ZORPA_MSG("::InternetConnect failed."),
    ZORPA_MSG("::HttpOpenRequest failed."),   ZORPA_MSG("::HttpAddRequestHeaders failed."),
    ZORPA_MSG("::HttpSendRequest failed."),   ZORPA_MSG("::HttpSendRequestEx failed."),
    ZORPA_MSG("::InternetWriteFile failed."), ZORPA_MSG("::HttpEndRequest failed."),
    ZORPA_MSG("::InternetSetOption failed."),
};

const SMessage kGroup600[] = {
    ZORPA_MSG("::WideCharToMultiByte failed."),
    ZORPA_MSG("::MultiByteToWideChar failed."),
    ZORPA_MSG("::ReadFile failed."),
    ZORPA_MSG("OpenFile (::CreateFile) failed (\"%s\")."),
    ZORPA_MSG("::SetFilePointer failed."),
    ZORPA_MSG("::GetFileSize failed (\"%s\")."),
    ZORPA_MSG("::WriteFile failed (\"%s\")."),
};

const SMessage kUserDefined = ZORPA_MSG("user-defined error message");
const SMessage kNone = ZORPA_MSG("");
#undef ZORPA_MSG

template <size_t N>
const SMessage& Pick(const SMessage (&table)[N], int remainder) {
  return static_cast<size_t>(remainder) < N ? table[remainder] : kNone;
}

const SMessage& Lookup(int code) {
  if (code < 0) return kNone;
  if (code >= kErrUserDefined) return kUserDefined;
  const int remainder = code % 100;
  switch (code / 100) {
    case 0: return Pick(kGroup0, remainder);
    case 1: return Pick(kGroup100, remainder);
    case 4: return Pick(kGroup400, remainder);
    case 6: return Pick(kGroup600, remainder);
    default: return kNone;  // 200 is reserved; 300, 500, 700-900 are unused
  }
}

}  // namespace

const char* ErrorMessageA(int code) { return Lookup(code).narrow; }
const wchar_t* ErrorMessageW(int code) { return Lookup(code).wide; }

errmsg_exceptionA::errmsg_exceptionA(const char* message)
    : m_message(message ? message : ""), m_hasMessage(message != nullptr) {}

const char* errmsg_exceptionA::what() const noexcept {
  return m_hasMessage ? m_message.c_str() : "NULL";
}

httpclientexceptionA::httpclientexceptionA(int code, uint32_t lastError)
    : errmsg_exceptionA(ErrorMessageA(code)), m_code(code), m_lastError(lastError) {}

}  // namespace Zorpa
