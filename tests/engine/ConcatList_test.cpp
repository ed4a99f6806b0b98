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

TEST(QuoteForConcatList, BackslashesAndSpacesStayLiteralInsideQuotes) {
  EXPECT_EQ(L"'C:\\a b\\c.mp4'", QuoteForConcatList(L"C:\\a b\\c.mp4"));
}

}  // namespace
}  // namespace corvane
