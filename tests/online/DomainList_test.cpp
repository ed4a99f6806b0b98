#include "online/DomainList.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

#include "base/TextConvert.h"
#include "online/PanelAddresses.h"
#include "online/ServerHosts.h"

using namespace corvane;

TEST(DomainList, CacheBusterRangeAndServerByParity) {
  std::set<int> servers;
  for (int ms = 0; ms < 200; ++ms) {
    const int buster = DomainListCacheBuster(/*seconds=*/ms % 60, ms);
    ASSERT_GE(buster, 1);
    ASSERT_LE(buster, 65534);
    EXPECT_EQ(FirstDomainListServer(buster), buster % 2 ? 1 : 2);
    servers.insert(FirstDomainListServer(buster));
  }
  EXPECT_EQ(servers.size(), 2u);  // both servers get their share
  EXPECT_EQ(DomainListCacheBuster(12, 345), DomainListCacheBuster(12, 345));
  EXPECT_EQ(DomainListAddress(2, 4711, L"German", L"v2.2"),
            L"https://" + DomainListHost(2) + DomainListScript() + L"?4711&lang=German&ver=v2.2");
  EXPECT_EQ(SitePageAddress(L"site.example", L"list"), L"https://site.example/flv/list.php");
}

TEST(DomainList, FallsBackToTheOtherServerAndKeepsOldValuesOnFailure) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                     ("Domain-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".ini");
  const std::wstring path = Utf8ToWide(file.string());
  std::vector<std::wstring> asked;
  int removed = 0;
  const auto remove = [&removed](const std::wstring& p) {
    ++removed;
    std::filesystem::remove(WideToUtf8(p));
  };
  // The first server fails; the second writes the list.
  const auto secondAnswers = [&](const std::wstring& url, const std::wstring& to) {
    asked.push_back(url);
    if (asked.size() == 1) return false;
    std::ofstream(WideToUtf8(to)) << "[Rules]\n1=new.example\n2=spare.example\n";
    return true;
  };
  CDomainList list;
  const std::wstring before = list.Domain(1);
  ASSERT_TRUE(list.Refresh(path, secondAnswers, remove, L"English", L"v2.2", /*cacheBuster=*/7));
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], DomainListAddress(1, 7, L"English", L"v2.2"));  // odd: server 1 first
  EXPECT_EQ(asked[1], DomainListAddress(2, 7, L"English", L"v2.2"));
  EXPECT_EQ(removed, 2);
  EXPECT_EQ(list.Domain(1), L"new.example");
  EXPECT_EQ(list.Domain(2), L"spare.example");
  EXPECT_EQ(list.SitePage(L"top"), L"https://new.example/flv/top.php");
  EXPECT_NE(before, L"new.example");

  asked.clear();
  const auto neither = [&](const std::wstring& url, const std::wstring&) {
    asked.push_back(url);
    return false;
  };
  EXPECT_FALSE(list.Refresh(path, neither, remove, L"English", L"v2.2", /*cacheBuster=*/8));
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], DomainListAddress(2, 8, L"English", L"v2.2"));  // even: server 2 first
  EXPECT_EQ(list.Domain(1), L"new.example");
  EXPECT_FALSE(std::filesystem::exists(file));

  // A value that is not a host name would send the site page elsewhere or
  // nowhere: that domain stays as it was, the other one is taken.
  for (const char* bad : {"", "evil.example/phish?", "user@evil.example", "host:", "host:123456", "a b"}) {
    const auto answers = [&](const std::wstring&, const std::wstring& to) {
      std::ofstream(WideToUtf8(to)) << "[Rules]\n1=" << bad << "\n2=other.example:8080\n";
      return true;
    };
    ASSERT_TRUE(list.Refresh(path, answers, remove, L"English", L"v2.2", /*cacheBuster=*/9)) << bad;
    EXPECT_EQ(list.Domain(1), L"new.example") << bad;
    EXPECT_EQ(list.Domain(2), L"other.example:8080") << bad;
  }
  std::filesystem::remove(file);
}

TEST(PanelAddresses, JoinLogEscapesTheSourceAddressAsUtf8) {
  EXPECT_EQ(JoinLogAddress(L"English", L"http://v.example/watch?v=a b&c=\u00e9#x"),
            VendorServerRoot() +
                L"/api_joinerlog.php?lang=English&url=http://v.example/watch%3fv%3da%20b%26c%3d%c3%a9%23x");
  // Too long to escape: the address goes without it rather than cut.
  EXPECT_EQ(JoinLogAddress(L"English", std::wstring(1000, L' ')),
            VendorServerRoot() + L"/api_joinerlog.php?lang=English&url=");
  EXPECT_EQ(MainPanelAddress(L"German", L"v2.2"),
            VendorServerRoot() + L"/api_joiner.php?lang=German&type=joiner&ver=v2.2");
}
