#include "online/ScriptErrorLog.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(ScriptErrorLog, EachDistinctErrorOnce) {
  CScriptErrorLog log;
  const SScriptError error{L"3", L"7", L"80020101", L"Syntax error", L"http://a.example/p.php"};
  EXPECT_TRUE(log.Record(error));
  EXPECT_FALSE(log.Record(error));  // the same page failing again on its next load
  SScriptError otherLine = error;
  otherLine.line = L"4";
  EXPECT_TRUE(log.Record(otherLine));
  // Parts that only join to the same text are still different errors.
  EXPECT_TRUE(log.Record({L"1", L"23", L"", L"", L""}));
  EXPECT_TRUE(log.Record({L"12", L"3", L"", L"", L""}));
  EXPECT_EQ(log.DistinctCount(), 4u);
  EXPECT_EQ(DescribeScriptError(error),
            L"Script error 80020101 at http://a.example/p.php, line 3, character 7: Syntax error");
}
