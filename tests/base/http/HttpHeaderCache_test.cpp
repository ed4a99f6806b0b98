#include "base/http/HttpHeaderCache.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "base/http/HttpError.h"

using namespace Zorpa;

namespace {

// A fake response: header lines as the platform would hold them, and a
// count of the queries made.
struct SFakeHeaders {
  std::vector<std::pair<std::wstring, std::wstring>> lines;
  int queries = 0;
  bool fail = false;

  HeaderQueryFn Query() {
    return [this](std::wstring_view name, unsigned occurrence, std::wstring& value) {
      ++queries;
      if (fail) throw httpclientexceptionA(kErrHttpQueryInfo, 6);
      unsigned seen = 0;
      for (const auto& [n, v] : lines) {
        if (!EqualNoCase(n, name)) continue;
        if (seen++ == occurrence) {
          value = v;
          return EHeaderQuery::kFound;
        }
      }
      return EHeaderQuery::kNotFound;
    };
  }
};

class HeaderCacheTest : public ::testing::Test {
 protected:
  SFakeHeaders platform{{{L"Server", L"test/1.0"},
                         {L"Set-Cookie", L"a=1"},
                         {L"Set-Cookie", L"b=2"},
                         {L"X-Empty", L""}}};
  CHttpHeaderCache cache;
};

TEST_F(HeaderCacheTest, NameMatchesWithoutRegardToCase) {
  const std::wstring* value = cache.Lookup(L"server", 0, platform.Query());
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(*value, L"test/1.0");
}

TEST_F(HeaderCacheTest, SecondOccurrenceIsReachableByIndexAndBeyondIsNull) {
  const std::wstring* second = cache.Lookup(L"Set-Cookie", 1, platform.Query());
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(*second, L"b=2");
  EXPECT_EQ(cache.Lookup(L"SET-COOKIE", 2, platform.Query()), nullptr);
}

TEST_F(HeaderCacheTest, PresentHeaderIsFetchedOnceThenServedFromCache) {
  cache.Lookup(L"Set-Cookie", 0, platform.Query());
  const int afterFirst = platform.queries;
  EXPECT_EQ(afterFirst, 3);  // two occurrences and the "not found" that ends them
  cache.Lookup(L"set-cookie", 1, platform.Query());
  EXPECT_EQ(platform.queries, afterFirst);
}

TEST_F(HeaderCacheTest, MissingHeaderIsQueriedAgainAtEachLookup) {
  for (int i = 0; i < 3; ++i) EXPECT_EQ(cache.Lookup(L"Expires", 0, platform.Query()), nullptr);
  EXPECT_EQ(platform.queries, 3);
}

TEST_F(HeaderCacheTest, EmptyValueIsAnEmptyStringNotNull) {
  const std::wstring* value = cache.Lookup(L"x-empty", 0, platform.Query());
  ASSERT_NE(value, nullptr);
  EXPECT_TRUE(value->empty());
}

TEST_F(HeaderCacheTest, PlatformFailurePassesError400On) {
  platform.fail = true;
  try {
    cache.Lookup(L"Server", 0, platform.Query());
    FAIL() << "no exception";
  } catch (const httpclientexceptionA& e) {
    EXPECT_EQ(e.Code(), 400);
  }
}

TEST(HttpClientMap, KeepsValuesOfOneNameInInsertionOrder) {
  CHttpClientMap map;
  map.Add(L"Accept", L"a");
  map.Add(L"Other", L"x");
  map.Add(L"ACCEPT", L"b");
  EXPECT_EQ(map.Count(L"accept"), 2u);
  EXPECT_EQ(*map.Value(L"Accept", 0), L"a");
  EXPECT_EQ(*map.Value(L"accept", 1), L"b");
  EXPECT_EQ(map.Value(L"accept", 2), nullptr);
  EXPECT_EQ(map.Value(L"missing", 0), nullptr);
  map.Clear();
  EXPECT_TRUE(map.Empty());
  EXPECT_FALSE(map.Contains(L"Accept"));
}

}  // namespace
