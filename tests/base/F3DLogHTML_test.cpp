#include "base/F3DLogHTML.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/F3DTestFiles.h"

using namespace corvane;
using corvane::testing::CScratchFolder;
using corvane::testing::ReadWholeFile;

namespace {

class LogTest : public ::testing::Test {
 protected:
  LogTest() {
    path = folder.PathOf(L"V3ILog.htm");
    log.SetDebugOutput([this](const std::wstring& text) { debugger.push_back(text); });
  }
  std::string Finished() {
    log.Finish();
    return ReadWholeFile(path);
  }

  CScratchFolder folder;
  std::wstring path;
  CF3DLogHTML log;
  std::vector<std::wstring> debugger;
};

}  // namespace

TEST(F3DLogHTML, EscapesMarkupCharacters) {
  EXPECT_EQ(CF3DLogHTML::EscapeHtml(L"a<b & \"c\" > d\ne"),
            L"a&lt;b &amp; &quot;c&quot; &gt; d<br>\ne");
  EXPECT_EQ(CF3DLogHTML::EscapeHtml(L"&amp;"), L"&amp;amp;");
}

TEST(F3DLogHTML, TagWithSortedQuotedAttributes) {
  CF3DLogHTML::CHTMLTag tag(L"meta", false);
  tag.SetAttribute(L"name", L"author");
  tag.SetAttribute(L"content", L"a \"b\"");
  EXPECT_EQ(tag.OpeningText(), L"<meta content=\"a &quot;b&quot;\" name=\"author\">\n");
  EXPECT_EQ(CF3DLogHTML::CHTMLTag(L"Body", true).ClosingText(), L"\n</Body>");
}

TEST_F(LogTest, DocumentHasHeadBodyAndEscapedMessages) {
  log.SetLogPath(path);
  log.SetTitle(L"Join log");
  log.SetMeta(L"generator", L"Corvane");
  log.Log(kLogInfo, L"size < 5 & done");
  log.Log(kLogErr, L"second");
  const std::string expected =
      "<HTML>\n"
      "<Head>\n"
      "<meta content=\"Corvane\" name=\"generator\">\n"
      "<Title>\nJoin log\n</Title>\n"
      "<Style>\n" +
      std::string("img{border:0}\n") +
      "body{font-family:Verdana,Arial,sans-serif;font-size:10pt;color:#000033;background-color:#ffffff}\n"
      "\n</Style>\n"
      "\n</Head>\n"
      "<Body>\n"
      "size &lt; 5 &amp; done<br>\n"
      "second<br>\n"
      "\n</Body>\n</HTML>\n";
  EXPECT_EQ(Finished(), expected);
}

TEST_F(LogTest, DebuggerGetsTheLevelNameAndTheUnescapedText) {
  log.Log(kLogWarn, L"a<b");
  log.Log(kLogCrit, L"x");
  ASSERT_EQ(debugger.size(), 2u);
  EXPECT_EQ(debugger[0], L"V3I:(WARN) :a<b");
  EXPECT_EQ(debugger[1], L"V3I:(CRIT) :x");
}

TEST_F(LogTest, WithoutAPathNothingIsWrittenToDisk) {
  log.Log(kLogInfo, L"only for the debugger");
  log.Finish();
  EXPECT_EQ(debugger.size(), 1u);
  EXPECT_TRUE(std::filesystem::is_empty(folder.Folder()));
}

TEST_F(LogTest, LevelMaskFiltersBothOutputs) {
  log.SetLogPath(path);
  log.SetLevelMask(kLogCrit | kLogErr);
  log.Log(kLogInfo, L"dropped");
  log.Log(kLogErr, L"kept");
  const std::string text = Finished();
  EXPECT_EQ(text.find("dropped"), std::string::npos);
  EXPECT_NE(text.find("kept<br>"), std::string::npos);
  // The structure is there even though INFO is masked.
  EXPECT_NE(text.find("<Body>"), std::string::npos);
  ASSERT_EQ(debugger.size(), 1u);
}

TEST_F(LogTest, OptionsSelectOutputsAndPrefixes) {
  log.SetLogPath(path);
  log.PushOptions(CF3DLogHTML::kToFile | CF3DLogHTML::kThreadNumber);
  log.Log(kLogInfo, L"numbered");
  log.PushOptions(CF3DLogHTML::kToFile | CF3DLogHTML::kTimeStamp);
  log.SetTimeFormat(L"[%Y]");
  log.Log(kLogInfo, L"stamped");
  log.PopOptions();
  log.PopOptions();
  log.PopOptions();  // the first entry stays
  EXPECT_EQ(log.Options(), CF3DLogHTML::kToDebugger | CF3DLogHTML::kToFile);
  EXPECT_TRUE(debugger.empty());
  const std::string text = Finished();
  EXPECT_NE(text.find("(" + std::to_string(CurrentThreadNumber()) + "): numbered<br>"), std::string::npos);
  const size_t stamp = text.find("] stamped<br>");
  ASSERT_NE(stamp, std::string::npos);
  EXPECT_EQ(text[stamp - 5], '[');
}

TEST_F(LogTest, FileThatCannotBeOpenedIsTriedAgainWithTheNextMessage) {
  const std::wstring blocked = folder.PathOf(L"later") + L"/V3ILog.htm";
  log.SetLogPath(blocked);
  log.Log(kLogInfo, L"lost");
  std::filesystem::create_directory(folder.Folder() / "later");
  log.Log(kLogInfo, L"arrives");
  log.Finish();
  const std::string text = ReadWholeFile(blocked);
  EXPECT_EQ(text.find("lost"), std::string::npos);
  EXPECT_NE(text.find("arrives<br>"), std::string::npos);
  EXPECT_EQ(debugger.size(), 2u);  // the debugger got both
}

TEST_F(LogTest, FormattedMessagesAndRawMarkup) {
  log.SetLogPath(path);
  log.LogFormat(kLogInfo, L"%d files, %ls", 3, L"a&b");
  log.LogRaw(kLogInfo, L"<hr>\n");
  const std::string text = Finished();
  EXPECT_NE(text.find("3 files, a&amp;b<br>\n<hr>\n"), std::string::npos);
}

TEST_F(LogTest, NonAsciiTextIsWrittenAsUtf8) {
  log.SetLogPath(path);
  log.Log(kLogInfo, L"Gr\u00fc\u00dfe");
  EXPECT_NE(Finished().find("Gr\xC3\xBC\xC3\x9F" "e<br>"), std::string::npos);
}
