#include "base/http/HttpError.h"

#include <gtest/gtest.h>

#include "ParamName.h"

#include <cstring>

using namespace Zorpa;

namespace {

struct SMessageCase {
  int code;
  const char* message;
};

class ErrorMessageTable : public ::testing::TestWithParam<SMessageCase> {};

TEST_P(ErrorMessageTable, FindsTheMessageByGroupAndRemainder) {
  const SMessageCase& c = GetParam();
  EXPECT_STREQ(ErrorMessageA(c.code), c.message);
  // The wide table carries the same wording.
  const wchar_t* wide = ErrorMessageW(c.code);
  ASSERT_EQ(std::wcslen(wide), std::strlen(c.message));
  for (size_t i = 0; c.message[i]; ++i) EXPECT_EQ(wide[i], static_cast<wchar_t>(c.message[i]));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ErrorMessageTable,
    ::testing::Values(SMessageCase{0, "Not specified"}, SMessageCase{100, "Unexpected error occurred."},
                      SMessageCase{103, "The requested URL is not a valid URL."},
                      SMessageCase{107, "The port number is not valid."},
                      SMessageCase{114, "The file (%s) aleady exists."}, SMessageCase{115, ""},
                      SMessageCase{200, ""}, SMessageCase{250, ""}, SMessageCase{300, ""},
                      SMessageCase{400, "::HttpQueryInfo failed."},
                      SMessageCase{404, "::HttpOpenRequest failed."},
                      SMessageCase{405, "::HttpAddRequestHeaders failed."},
                      SMessageCase{406, "::HttpSendRequest failed."},
                      SMessageCase{410, "::InternetSetOption failed."}, SMessageCase{411, ""},
                      SMessageCase{500, ""}, SMessageCase{600, "::WideCharToMultiByte failed."},
                      SMessageCase{603, "OpenFile (::CreateFile) failed (\"%s\")."},
                      SMessageCase{606, "::WriteFile failed (\"%s\")."}, SMessageCase{607, ""},
                      SMessageCase{999, ""}, SMessageCase{1000, "user-defined error message"},
                      SMessageCase{123456, "user-defined error message"}, SMessageCase{-1, ""}),
    CASE_NAME_BY(message));

TEST(HttpClientException, CarriesCodeMessageAndLastError) {
  try {
    throw httpclientexceptionA(kErrHttpSendRequest, 12029);
  } catch (const std::exception& e) {  // handlers may catch the standard base
    EXPECT_STREQ(e.what(), "::HttpSendRequest failed.");
    const auto* client = dynamic_cast<const httpclientexceptionA*>(&e);
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->Code(), 406);
    EXPECT_EQ(client->Win32LastError(), 12029u);
  }
}

TEST(HttpClientException, CopyKeepsItsOwnText) {
  httpclientexceptionA original(kErrHttpQueryInfo, 5);
  const httpclientexceptionA copy = original;
  original = httpclientexceptionA(kErrWideCharToMultiByte, 7);
  EXPECT_STREQ(copy.what(), "::HttpQueryInfo failed.");
  EXPECT_EQ(copy.Code(), 400);
  EXPECT_EQ(copy.Win32LastError(), 5u);
  EXPECT_STREQ(original.what(), "::WideCharToMultiByte failed.");
}

TEST(ErrMsgException, MissingTextReadsNullButEmptyTextStaysEmpty) {
  EXPECT_STREQ(errmsg_exceptionA().what(), "NULL");
  EXPECT_STREQ(errmsg_exceptionA(nullptr).what(), "NULL");
  EXPECT_STREQ(errmsg_exceptionA("").what(), "");
  char buffer[] = "temporary";
  errmsg_exceptionA kept(buffer);
  buffer[0] = 'X';
  EXPECT_STREQ(kept.what(), "temporary");
}

}  // namespace
