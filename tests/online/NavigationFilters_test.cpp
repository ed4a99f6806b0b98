#include "online/NavigationFilters.h"

#include <gtest/gtest.h>

#include "online/ServerHosts.h"

using namespace corvane;

namespace {
const std::wstring kPanel = L"http://www.tavrel.example/api_joiner.php?lang=English&type=joiner&ver=v2.2";
}

TEST(MainPanelFilter, ButtonsAndCommandLinksAreCancelledSearchFormsBecomeSearches) {
  EXPECT_EQ(FilterMainPanelNavigation(kPanel, ""), EMainPanelAction::kProceed);
  EXPECT_EQ(FilterMainPanelNavigation(L"http://other.example/x", "s=cat"), EMainPanelAction::kOpenInBrowser);
  EXPECT_EQ(FilterMainPanelNavigation(L"file:///C:/Windows/win.ini", ""), EMainPanelAction::kCancel);
  EXPECT_EQ(FilterMainPanelNavigation(kPanel, "hid=3&go_i.x=4"), EMainPanelAction::kCancel);
  EXPECT_EQ(FilterMainPanelNavigation(L"TAVREL:x=open>http://a.example/</element>", ""), EMainPanelAction::kCancel);
  EXPECT_EQ(FilterMainPanelNavigation(kPanel, "s=cat&type=video"), EMainPanelAction::kCancelAndSearch);
  EXPECT_EQ(FilterMainPanelNavigation(kPanel, std::string("s=cat&type=video\r\n\0", 19)),
            EMainPanelAction::kCancelAndSearch);
  // An image button without "hid=" is neither a button press nor a search.
  EXPECT_EQ(FilterMainPanelNavigation(kPanel, "go_i.x=4"), EMainPanelAction::kProceed);
}

TEST(Search, FormDataTurnsSIntoQAndTakesItsType) {
  const auto search = BuildSearch(L"s=cat&type=video", /*fromForm=*/true);
  ASSERT_TRUE(search);
  EXPECT_EQ(search->address, SearchServerRoot() + L"/api_search6.php?q=cat&type=video");
  EXPECT_EQ(search->pageKind, L"video");
  // Only the field named "s": "ads=" stays, every "s" field is renamed.
  EXPECT_EQ(BuildSearch(L"ads=1&s=a&s=b", true)->address, SearchServerRoot() + L"/api_search6.php?ads=1&q=a&q=b");
  EXPECT_EQ(BuildSearch(L"s=cat", true)->pageKind, L"");
  EXPECT_FALSE(BuildSearch(L"", true));
}

TEST(Search, AddressSearchTakesTheQueryFromQuestionMarkQ) {
  const auto search = BuildSearch(L"http://bar.example/x.php?q=dog&type=music", /*fromForm=*/false);
  ASSERT_TRUE(search);
  EXPECT_EQ(search->address, SearchServerRoot() + L"/api_search6.php?q=dog&type=music");
  EXPECT_EQ(search->pageKind, L"music");
  EXPECT_FALSE(BuildSearch(L"http://bar.example/x.php?a=1&q=dog", false));
}

TEST(ToolbarFilter, SearchesCommandsAndTheAddressBox) {
  SToolbarAction action = FilterToolbarNavigation(L"http://bar.example/s.php?q=dog", "", L"German");
  EXPECT_EQ(action.kind, SToolbarAction::kSearch);
  EXPECT_EQ(action.search.address, SearchServerRoot() + L"/api_search6.php?q=dog");

  action = FilterToolbarNavigation(L"http://bar.example/s.php?x=1&q=dog", "", L"German");
  EXPECT_EQ(action.kind, SToolbarAction::kSearch);
  EXPECT_EQ(action.search.address, SearchServerRoot() + L"/api_search6.php?q=dog&lang=German");

  action = FilterToolbarNavigation(L"tavrel:go=open> http://page.example/a </element>", "", L"German");
  ASSERT_EQ(action.kind, SToolbarAction::kCommand);
  EXPECT_EQ(action.link.command, L"open");
  EXPECT_EQ(action.link.argument, L"http://page.example/a");

  // The address box: our pages in the window, other sites in the user's
  // browser, anything else nowhere.
  action = FilterToolbarNavigation(L"http://bar.example/go.php", "address=+www.video.example/a+b+&go=1", L"German");
  EXPECT_EQ(action.kind, SToolbarAction::kOpenInBrowser);
  EXPECT_EQ(action.address, L"http://www.video.example/a%20b");
  action = FilterToolbarNavigation(L"http://bar.example/go.php", "address=www.tavrel.example/soft.php", L"German");
  EXPECT_EQ(action.kind, SToolbarAction::kNavigate);
  EXPECT_EQ(action.address, L"http://www.tavrel.example/soft.php");
  for (const char* typed : {"address=file:///C:/x.htm", "address=%5C%5Chost%5Cshare", "address=\\\\host\\share",
                            "address=javascript:alert(1)"}) {
    EXPECT_EQ(FilterToolbarNavigation(L"http://bar.example/go.php", typed, L"G").kind, SToolbarAction::kRefused)
        << typed;
  }
  EXPECT_EQ(FilterToolbarNavigation(L"http://bar.example/go.php", "address=x&back_i.x=1", L"G").kind,
            SToolbarAction::kProceed);
  EXPECT_EQ(FilterToolbarNavigation(L"http://bar.example/go.php", "other=1&address=x", L"G").kind,
            SToolbarAction::kProceed);
  EXPECT_EQ(FilterToolbarNavigation(L"http://bar.example/page.php", "", L"G").kind, SToolbarAction::kProceed);
}

TEST(CommandLink, PartsAndMalformedLinks) {
  auto link = ParseCommandLink(L"tavrel:cmd=download>clip 7</element><browser>Other</browser>");
  ASSERT_TRUE(link);
  EXPECT_EQ(link->command, L"download");
  EXPECT_EQ(link->argument, L"clip 7");
  EXPECT_EQ(link->browser, L"Other");
  link = ParseCommandLink(L"Tavrel:x=back></element>");
  ASSERT_TRUE(link);
  EXPECT_EQ(link->command, L"back");
  EXPECT_EQ(link->argument, L"");
  EXPECT_FALSE(ParseCommandLink(L"http://a.example/?tavrel:x=open>y</element>"));
  EXPECT_FALSE(ParseCommandLink(L"tavrel:open>y"));
  EXPECT_FALSE(ParseCommandLink(L"tavrel:x=open"));
  EXPECT_FALSE(ParseCommandLink(L"tavre"));
}

// Every class of address a page or the toolbar could hand a panel.
TEST(PanelDestination, OurPagesInThePanelOtherSitesOutsideTheRestNowhere) {
  const std::vector<std::wstring> hosts = {L"www.tavrel.example", L"search.tavrel.example:8080"};
  const std::wstring builtIn = L"res://C:\\Program Files\\Tavrel\\Corvane.exe/snap.htm";
  const struct {
    const wchar_t* url;
    EPanelDestination expected;
  } cases[] = {
      {L"http://www.tavrel.example/api_joiner.php?lang=English", EPanelDestination::kPanel},
      {L"HTTPS://WWW.TAVREL.EXAMPLE:443/soft.php", EPanelDestination::kPanel},
      {L"http://search.tavrel.example/api_search6.php?q=a", EPanelDestination::kPanel},
      {L"res://c:\\program files\\tavrel\\corvane.exe/snap.htm", EPanelDestination::kPanel},
      {L"https://video.example/watch?v=1", EPanelDestination::kDefaultBrowser},
      {L"http://www.tavrel.example.video.example/", EPanelDestination::kDefaultBrowser},
      {L"http://www.tavrel.example@video.example/", EPanelDestination::kDefaultBrowser},
      {L"http://www.tavrel.example:80@video.example/", EPanelDestination::kDefaultBrowser},
      {L"http://video.example/?http://www.tavrel.example/", EPanelDestination::kDefaultBrowser},
      {L"file:///C:/Windows/win.ini", EPanelDestination::kRefused},
      {L"FILE://server/share/page.htm", EPanelDestination::kRefused},
      {L"javascript:location='http://www.tavrel.example/'", EPanelDestination::kRefused},
      {L"vbscript:msgbox(1)", EPanelDestination::kRefused},
      {L"\\\\host\\share\\page.htm", EPanelDestination::kRefused},
      {L"//host/share/page.htm", EPanelDestination::kRefused},
      {L"http:\\\\host\\share", EPanelDestination::kRefused},
      {L"res://C:\\Windows\\System32\\shell32.dll/page.htm", EPanelDestination::kRefused},
      {L"about:blank", EPanelDestination::kRefused},
      {L"mk:@MSITStore:C:\\help.chm::/a.htm", EPanelDestination::kRefused},
      {L"data:text/html,<script>1</script>", EPanelDestination::kRefused},
      {L"http://www.tavrel.example/a b", EPanelDestination::kRefused},
      {L"http://video.example/\"onmouseover", EPanelDestination::kRefused},
      {L"", EPanelDestination::kRefused},
  };
  for (const auto& c : cases) EXPECT_EQ(PanelDestination(c.url, hosts, builtIn), c.expected) << c.url;
  EXPECT_EQ(PanelDestination(builtIn, hosts), EPanelDestination::kRefused);  // only the page we name
}

// The property dialog's and the preview's panels: their own page (the
// preview's is a file it wrote, which the control may name by its file:
// address), our pages; the rest as in every panel.
TEST(PanelFilter, OwnPageFileLoadsOtherFilesAndSharesDoNot) {
  const std::wstring page = L"C:\\Users\\A B\\Temp\\TFR1A.tmp";
  const std::wstring bar = VendorServerRoot() + L"/api_playtop.php?lang=English&type=flv";
  const struct {
    const wchar_t* url;
    bool topLevel;
    EPanelNavigation expected;
  } cases[] = {
      {L"C:\\Users\\A B\\Temp\\TFR1A.tmp", true, EPanelNavigation::kProceed},
      {L"file:///c:/users/a%20b/temp/TFR1A.tmp", true, EPanelNavigation::kProceed},
      {L"file:///C:/Users/A B/Temp/TFR1B.tmp", true, EPanelNavigation::kCancel},
      {L"file://host/C:/Users/A B/Temp/TFR1A.tmp", true, EPanelNavigation::kCancel},
      {L"\\\\host\\share\\TFR1A.tmp", true, EPanelNavigation::kCancel},
      {L"javascript:alert(1)", false, EPanelNavigation::kCancel},
      {bar.c_str(), false, EPanelNavigation::kProceed},
      {L"https://video.example/", false, EPanelNavigation::kProceed},  // inside a frame of ours
      {L"https://video.example/", true, EPanelNavigation::kOpenInBrowser},
  };
  for (const auto& c : cases) EXPECT_EQ(FilterPanelNavigation(c.url, page, c.topLevel), c.expected) << c.url;
}
