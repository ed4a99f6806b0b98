#include "base/F3DException.h"

#include <gtest/gtest.h>

#include "base/F3DErrorMap.h"

using namespace corvane;

namespace {

struct SCauseMessage {
  int32_t cause;
  const wchar_t* message;
};

const SCauseMessage kFileMessages[] = {
    {0, L"No error occurred."},
    {1, L"An unknown error occurred while accessing C:\\a b.txt."},
    {2, L"C:\\a b.txt was not found."},
    {3, L"C:\\a b.txt contains an invalid path."},
    {4, L"C:\\a b.txt could not be opened because there are too many open files."},
    {5, L"Access to C:\\a b.txt was denied."},
    {6, L"An invalid file handle was associated with C:\\a b.txt."},
    {7, L"C:\\a b.txt could not be removed because it is the current directory."},
    {8, L"C:\\a b.txt could not be created because the directory is full."},
    {9, L"Seek failed on C:\\a b.txt"},
    {10, L"A hardware I/O error was reported while accessing C:\\a b.txt."},
    {11, L"A sharing violation occurred while accessing C:\\a b.txt."},
    {12, L"A locking violation occurred while accessing C:\\a b.txt."},
    {13, L"Disk full while accessing C:\\a b.txt."},
    {14, L"An attempt was made to access C:\\a b.txt past its end."},
    {15, L"Invalid Parameter."},
};

const SCauseMessage kArchiveMessages[] = {
    {0, L"No error occurred."},
    {1, L"An unknown error occurred while accessing C:\\a b.txt."},
    {2, L"An attempt was made to write to the reading C:\\a b.txt."},
    {3, L"An attempt was made to access C:\\a b.txt past its end."},
    {4, L"An attempt was made to read from the writing C:\\a b.txt."},
    {5, L"C:\\a b.txt has a bad format."},
    {6, L"C:\\a b.txt contained an unexpected object."},
    {7, L"C:\\a b.txt contains an incorrect schema."},
};

}  // namespace

TEST(F3DFileException, EveryCauseRendersItsTemplateWithTheFileName) {
  for (const SCauseMessage& row : kFileMessages) {
    const CF3DFileException error(row.cause, L"C:\\a b.txt");
    EXPECT_STREQ(error.GetErrorMessage(), row.message) << "cause " << row.cause;
  }
}

TEST(F3DArchiveException, EveryCauseRendersItsTemplateWithTheFileName) {
  for (const SCauseMessage& row : kArchiveMessages) {
    const CF3DArchiveException error(row.cause, L"C:\\a b.txt");
    EXPECT_STREQ(error.GetErrorMessage(), row.message) << "cause " << row.cause;
  }
}

TEST(F3DFileException, CauseOutsideTheTableIsTheUnknownError) {
  EXPECT_STREQ(CF3DFileException(16, L"x").GetErrorMessage(), L"An unknown error occurred while accessing x.");
  EXPECT_STREQ(CF3DFileException(-3, L"x").GetErrorMessage(), L"An unknown error occurred while accessing x.");
  EXPECT_STREQ(CF3DArchiveException(8, L"x").GetErrorMessage(), L"An unknown error occurred while accessing x.");
}

TEST(F3DFileException, PercentSignsInTheFileNameAreNotDirectives) {
  const CF3DFileException error(CF3DFileException::fileNotFound, L"100%s%d.txt");
  EXPECT_STREQ(error.GetErrorMessage(), L"100%s%d.txt was not found.");
}

TEST(F3DFileException, MessageFollowsChangesAndSurvivesCopies) {
  CF3DFileException error;
  error.SetCause(CF3DFileException::accessDenied);
  error.SetFileName(L"one");
  EXPECT_STREQ(error.GetErrorMessage(), L"Access to one was denied.");
  error.SetFileName(L"two");
  const CF3DFileException copy = error;
  EXPECT_STREQ(copy.GetErrorMessage(), L"Access to two was denied.");
  EXPECT_EQ(copy.Cause(), 5);
}

TEST(F3DException, FamilyIsCaughtThroughTheBaseWithItsOwnMessage) {
  const auto messageOf = [](auto thrown) -> std::wstring {
    try {
      throw thrown;
    } catch (const CF3DException& caught) {
      return caught.GetErrorMessage();
    }
  };
  EXPECT_EQ(messageOf(CF3DException()), L"");
  EXPECT_EQ(messageOf(CF3DMemoryException()), L"Out of memory.");
  EXPECT_EQ(messageOf(CF3DNotSupportedException()), L"An unsupported operation was attempted.");
  EXPECT_EQ(messageOf(CF3DSimpleTextException(L"Bad filename!")), L"Bad filename!");
  EXPECT_EQ(messageOf(CF3DFileException(13, L"D:\\out.avi")), L"Disk full while accessing D:\\out.avi.");
}

TEST(FileCauseFromWindowsError, EveryListedCodeGivesItsCause) {
  const struct {
    int32_t cause;
    std::vector<uint32_t> codes;
  } table[] = {
      {0, {0}},
      {2, {2, 6, 18, 107}},
      {3, {3, 15, 17, 34, 52, 53, 55, 67, 70, 85, 111, 123, 124, 125, 144, 154, 161, 206, 208, 267}},
      {4, {4, 36, 68, 113}},
      {5, {5, 12, 19, 29, 54, 58, 64, 65, 71, 80, 82, 86, 170, 183, 999}},
      {6, {11, 26, 60, 66, 114, 182, 191, 193}},
      {7, {16, 145}},
      {8, {62}},
      {9, {24, 25, 27, 30, 131, 132}},
      {10, {20, 21, 22, 23, 57, 59, 88, 117, 995, 996, 997}},
      {11, {32}},
      {12, {33, 108, 167}},
      {13, {39, 112}},
      {14, {38}},
      {15, {87}},
  };
  for (const auto& row : table) {
    for (uint32_t code : row.codes) EXPECT_EQ(FileCauseFromWindowsError(code), row.cause) << "code " << code;
  }
}

TEST(FileCauseFromWindowsError, UnlistedCodesAreTheUnknownError) {
  for (uint32_t code : {1u, 7u, 31u, 35u, 50u, 1000u, 0xFFFFFFFFu}) {
    EXPECT_EQ(FileCauseFromWindowsError(code), 1) << "code " << code;
  }
}
