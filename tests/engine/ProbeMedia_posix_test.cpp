// ProbeMedia and the fast route against a stand-in tool (a shell script named
// by CORVANE_FFMPEG), so that the tool's answers can be chosen per file name.
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/TextConvert.h"
#include "engine/FastJoin.h"
#include "engine/PathParts.h"
#include "engine/ProbeMedia.h"
#include "engine/TempFiles.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

class StandInToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_root = fs::temp_directory_path() / ("corvane-engine-" + std::to_string(::getpid()) + "-" +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_root);
    fs::create_directories(m_root / "media");
    const char* old = ::getenv("CORVANE_FFMPEG");
    m_hadTool = old != nullptr;
    if (old) m_oldTool = old;
  }
  void TearDown() override {
    if (m_hadTool) {
      ::setenv("CORVANE_FFMPEG", m_oldTool.c_str(), 1);
    } else {
      ::unsetenv("CORVANE_FFMPEG");
    }
    fs::remove_all(m_root);
  }

  // Installs a stand-in tool made of body (sh); $ROOT is the test's folder.
  void InstallTool(const std::string& body) {
    const fs::path script = m_root / "tool.sh";
    std::ofstream(script) << "#!/bin/sh\nROOT='" << m_root.string() << "'\n" << body << "\n";
    fs::permissions(script, fs::perms::owner_all);
    ::setenv("CORVANE_FFMPEG", script.c_str(), 1);
  }
  std::wstring Media(const std::string& name, const std::string& bytes = "media bytes") {
    std::ofstream(m_root / "media" / name, std::ios::binary) << bytes;
    return Utf8ToWide((m_root / "media" / name).string());
  }
  std::vector<std::string> MediaFolder() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_root / "media")) names.push_back(entry.path().filename());
    return names;
  }
  std::string ReadRootFile(const std::string& name) const {
    std::ifstream in(m_root / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static std::string Fixture(const std::string& name) {
    return std::string(CORVANE_TEST_DATA) + "/engine/probe/" + name;
  }

  fs::path m_root;
  bool m_hadTool = false;
  std::string m_oldTool;
};

// Answers like the tool, with the name it was given in the header, for every
// name except those containing "unreadable".
std::string ToolThatCannotOpenSomeNames() {
  return "echo \"$2\" >>\"$ROOT/probed\"\n"
         "case \"$2\" in *unreadable*) echo \"$2: Invalid data found when processing input\" ;;\n"
         "  *) sed \"s|from 'clip.mp4'|from '$2'|\" '" + std::string(CORVANE_TEST_DATA) +
         "/engine/probe/mp4_h264_aac.txt' ;; esac";
}

TEST_F(StandInToolTest, ReadableFileIsProbedOnceUnderItsOwnName) {
  InstallTool(ToolThatCannotOpenSomeNames());
  const std::wstring file = Media("clip.mp4");
  SVideoPropertyInfo info;
  info.format = L"stale";
  ASSERT_TRUE(ProbeMedia(file, info));
  EXPECT_EQ(file, info.filePath);
  EXPECT_EQ(L"mp4", info.format) << "the record is cleared first";
  EXPECT_EQ(WideToUtf8(file) + "\n", ReadRootFile("probed"));
  EXPECT_EQ(std::vector<std::string>{"clip.mp4"}, MediaFolder());
}

// A file the tool cannot read is asked about once, under its own name, and
// never copied to be tried again.
TEST_F(StandInToolTest, UnreadableFileIsProbedOnceAndNothingIsCopied) {
  InstallTool(ToolThatCannotOpenSomeNames());
  const std::wstring file = Media("unreadable clip.mp4");
  SVideoPropertyInfo info;
  EXPECT_FALSE(ProbeMedia(file, info));
  EXPECT_EQ(WideToUtf8(file) + "\n", ReadRootFile("probed"));
  EXPECT_EQ(std::vector<std::string>{"unreadable clip.mp4"}, MediaFolder());
}

TEST_F(StandInToolTest, MissingFileIsNotProbed) {
  InstallTool(ToolThatCannotOpenSomeNames());
  SVideoPropertyInfo info;
  EXPECT_FALSE(ProbeMedia(Utf8ToWide((m_root / "media" / "none.mp4").string()), info));
  EXPECT_FALSE(fs::exists(m_root / "probed"));
}

TEST_F(StandInToolTest, FastJoinHandsOverAnEscapedListAndDeletesIt) {
  // $6 is the list: -f concat -safe 0 -i LIST ...
  InstallTool("cp \"$6\" \"$ROOT/list\"; echo \"$6\" >\"$ROOT/listpath\"; echo \"$@\" >\"$ROOT/args\"");
  const std::vector<std::wstring> inputs = {Media("it's.mp4"), Media("b\u00e9.mp4")};
  const std::wstring output = Utf8ToWide((m_root / "out.flv").string());
  int progress = -1;
  ASSERT_TRUE(RunFastJoin(/*mp4=*/false, output, inputs, [&](int p) { progress = p; }));
  EXPECT_EQ(100, progress);
  const std::string folder = (m_root / "media").string();
  EXPECT_EQ("file '" + folder + "/it'\\''s.mp4'\n\rfile '" + folder + "/b\xC3\xA9.mp4'\n\r", ReadRootFile("list"));
  std::string listPath = ReadRootFile("listpath");
  listPath.pop_back();
  EXPECT_EQ(0u, fs::path(listPath).filename().string().find("TFR"));
  EXPECT_FALSE(fs::exists(listPath)) << "the list is deleted after the run";
  EXPECT_EQ("-f concat -safe 0 -i " + listPath + " -f flv -c:v copy -c:a aac -y " + WideToUtf8(output) + "\n",
            ReadRootFile("args"));
}

TEST_F(StandInToolTest, FastJoinWithOneInputRunsNothing) {
  InstallTool("touch \"$ROOT/ran\"");
  EXPECT_TRUE(RunFastJoin(/*mp4=*/true, Utf8ToWide((m_root / "o.mp4").string()), {Media("a.mp4")}, {}));
  EXPECT_FALSE(fs::exists(m_root / "ran"));
}

}  // namespace
}  // namespace corvane
