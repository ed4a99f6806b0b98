#include "engine/ConcatList.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(BuildConcatList, Utf8LinesEndedByLineFeedThenCarriageReturn) {
  const std::string list = BuildConcatList({L"C:\\My Clips\\a & b.mp4", L"C:\\\u4e09\\caf\u00e9.mp4"});
  EXPECT_EQ(std::string("file 'C:\\My Clips\\a & b.mp4'\n\r"
                        "file 'C:\\\xE4\xB8\x89\\caf\xC3\xA9.mp4'\n\r"),
            list);
}

TEST(BuildConcatList, ApostropheIsEscapedOutsideTheQuotes) {
  EXPECT_EQ("file '/v/it'\\''s.mp4'\n\r", BuildConcatList({L"/v/it's.mp4"}));
  EXPECT_EQ("file ''\\'''\\'''\n\r", BuildConcatList({L"''"}));
}

TEST(BuildConcatList, NoByteOrderMarkAndNothingForNoInputs) {
  EXPECT_EQ("", BuildConcatList({}));
  EXPECT_EQ('f', BuildConcatList({L"x"}).front());
}

// The tool ends a list line at LF, CR or NUL even inside quotes: a path
// holding one would read back as other paths.
TEST(BuildConcatList, PathWithALineEndOrNulGivesNoList) {
  EXPECT_EQ("", BuildConcatList({L"/v/a.mp4", L"/v/two\nlines.mp4"}));
  EXPECT_EQ("", BuildConcatList({L"/v/cr\r.mp4", L"/v/b.mp4"}));
  EXPECT_EQ("", BuildConcatList({L"/v/a.mp4", std::wstring(L"/v/nul\0.mp4", 12)}));
  EXPECT_EQ("file '/v/tab\t.mp4'\n\r", BuildConcatList({L"/v/tab\t.mp4"}));
}

TEST(QuoteForConcatList, BackslashesAndSpacesStayLiteralInsideQuotes) {
  EXPECT_EQ(L"'C:\\a b\\c.mp4'", QuoteForConcatList(L"C:\\a b\\c.mp4"));
}

}  // namespace
}  // namespace corvane
