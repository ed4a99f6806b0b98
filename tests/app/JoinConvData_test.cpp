#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <boost/json.hpp>

#include "app/JoinConvData.h"
#include "base/JsonMembers.h"

using namespace corvane;

namespace {

using Files = std::vector<std::wstring>;

// Every test starts from a fresh job data object.
class ParseLaunchData : public ::testing::Test {
 protected:
  void SetUp() override { DestroyRegisteredSingletons(); }
  void TearDown() override { DestroyRegisteredSingletons(); }
  CJoinConvData& Parse(const std::wstring& launchData, bool expectedResult = true) {
    CJoinConvData& data = CJoinConvData::Instance();
    data.SetLaunchData(launchData);
    EXPECT_EQ(data.ParseLaunchData(), expectedResult) << "launch data: " << std::string(launchData.begin(), launchData.end());
    return data;
  }
};

TEST_F(ParseLaunchData, AllKeysWithHashesForQuotes) {
  CJoinConvData& data = Parse(
      L"{#VideoClipsPath#:[#C:\\\\v\\\\a.flv#,#C:\\\\v\\\\b.flv#],#OutputPath#:#C:\\\\out\\\\j.mp4#,"
      L"#AppMainWndClassName#:#LauncherWnd#,#AppUserMsg#:#UWM_Launcher#,#CurLangName#:#Deutsch#,"
      L"#FlvUrl#:#http://x/v?a=1&b=2#}");
  EXPECT_TRUE(data.StartedWithLaunchData());
  EXPECT_EQ(data.Files(), (Files{L"C:\\v\\a.flv", L"C:\\v\\b.flv"}));
  EXPECT_EQ(data.OutputPath(), L"C:\\out\\j.mp4");
  EXPECT_EQ(data.LauncherWindowClass(), L"LauncherWnd");
  EXPECT_EQ(data.LauncherMessageName(), L"UWM_Launcher");
  EXPECT_EQ(data.InterfaceLanguage(), L"Deutsch");
  EXPECT_EQ(data.SourceAddress(), L"http://x/v?a=1&b=2");
}

TEST_F(ParseLaunchData, MissingKeysGiveEmptyValues) {
  CJoinConvData& data = Parse(L"{#OutputPath#:#o.mp4#}");
  EXPECT_EQ(data.OutputPath(), L"o.mp4");
  EXPECT_TRUE(data.Files().empty());
  EXPECT_EQ(data.SourceAddress(), L"");
  EXPECT_EQ(data.LauncherWindowClass(), L"");
  EXPECT_EQ(data.LauncherMessageName(), L"");
  EXPECT_EQ(data.InterfaceLanguage(), L"");
  EXPECT_TRUE(data.StartedWithLaunchData());
}

TEST_F(ParseLaunchData, WrongTypesGiveEmptyValues) {
  CJoinConvData& data =
      Parse(L"{#VideoClipsPath#:#a.flv#,#OutputPath#:5,#FlvUrl#:null,#CurLangName#:[#x#],#AppUserMsg#:{}}");
  EXPECT_TRUE(data.Files().empty());
  EXPECT_EQ(data.OutputPath(), L"");
  EXPECT_EQ(data.SourceAddress(), L"");
  EXPECT_EQ(data.InterfaceLanguage(), L"");
  EXPECT_EQ(data.LauncherMessageName(), L"");
}

TEST_F(ParseLaunchData, NonTextClipEntriesAreSkipped) {
  CJoinConvData& data = Parse(L"{#VideoClipsPath#:[#a.flv#,3,null,#b.flv#]}");
  EXPECT_EQ(data.Files(), (Files{L"a.flv", L"b.flv"}));
}

TEST_F(ParseLaunchData, OneClip) {
  CJoinConvData& data = Parse(L"{#VideoClipsPath#:[#only.flv#]}");
  EXPECT_EQ(data.Files(), Files{L"only.flv"});
}

TEST_F(ParseLaunchData, DuplicateClipsAreKeptOnceCaseSensitively) {
  CJoinConvData& data = Parse(L"{#VideoClipsPath#:[#a.flv#,#A.flv#,#a.flv#]}");
  EXPECT_EQ(data.Files(), (Files{L"a.flv", L"A.flv"}));
}

TEST_F(ParseLaunchData, EscapesAndNonAsciiText) {
  CJoinConvData& data = Parse(L"{#OutputPath#:#C:\\\\V\\u00eddeo\\\\\u00e9t\u00e9.mp4#}");
  EXPECT_EQ(data.OutputPath(), L"C:\\V\u00eddeo\\\u00e9t\u00e9.mp4");
}

TEST_F(ParseLaunchData, NotAnObjectStartsInteractively) {
  for (const wchar_t* text : {L"[#a#,#b#]", L"#just text#", L"C:\\file#1.flv", L"{#OutputPath#:", L"42", L"{}x"}) {
    CJoinConvData& data = Parse(text, /*expectedResult=*/false);
    EXPECT_FALSE(data.StartedWithLaunchData()) << std::string(text, text + wcslen(text));
    EXPECT_TRUE(data.Files().empty());
    EXPECT_EQ(data.OutputPath(), L"");
  }
}

// A bare "#" is always a quote; a "#" of a name travels as "\u0023", both as
// a launcher writes it by hand and as the shared writer makes it.
TEST_F(ParseLaunchData, HashOfANameTravelsAsItsJsonEscape) {
  EXPECT_TRUE(Parse(L"{#VideoClipsPath#:[#C:\\\\clip#1.flv#]}", /*expectedResult=*/false).Files().empty());

  CJoinConvData& data = Parse(L"{#VideoClipsPath#:[#C:\\\\v\\\\Episode \\u00233.flv#,#b.flv#],"
                              L"#OutputPath#:#C:\\\\out\\\\\\u00231 \\u0023\\u0023.mp4#}");
  EXPECT_EQ(data.Files(), (Files{L"C:\\v\\Episode #3.flv", L"b.flv"}));
  EXPECT_EQ(data.OutputPath(), L"C:\\out\\#1 ##.mp4");

  boost::json::object written;
  written["VideoClipsPath"] = boost::json::array{"C:\\#\\Episode #3.flv", "#4#.flv"};
  written["OutputPath"] = "C:\\out\\Episodes #3-#4.mp4";
  const std::wstring launchData = HashQuotedText(boost::json::serialize(written));
  EXPECT_EQ(launchData.find(L"#3"), std::wstring::npos) << "a name's # must not pass for a quote";
  DestroyRegisteredSingletons();
  CJoinConvData& read = Parse(launchData);
  EXPECT_EQ(read.Files(), (Files{L"C:\\#\\Episode #3.flv", L"#4#.flv"}));
  EXPECT_EQ(read.OutputPath(), L"C:\\out\\Episodes #3-#4.mp4");
}

TEST_F(ParseLaunchData, EmptyLaunchDataChangesNothing) {
  CJoinConvData& data = CJoinConvData::Instance();
  data.AddFile(L"kept.flv");
  data.SetLaunchData(L"");
  EXPECT_TRUE(data.ParseLaunchData());
  EXPECT_EQ(data.Files(), Files{L"kept.flv"});
  EXPECT_FALSE(data.StartedWithLaunchData());
}

TEST(CompletionNoticeBytes, EscapedUtf8WithTerminatingZero) {
  const std::string bytes = CompletionNoticeBytes(L"http://h/\u00e9 a?x=1");
  EXPECT_EQ(bytes, std::string("http://h/%c3%a9%20a%3fx%3d1") + '\0');
  EXPECT_EQ(bytes.size(), 28u);
  EXPECT_EQ(CompletionNoticeBytes(L""), std::string(1, '\0'));
  // Too long to escape within 2084 bytes: only the zero is sent.
  EXPECT_EQ(CompletionNoticeBytes(std::wstring(700, L' ')), std::string(1, '\0'));
}

}  // namespace
