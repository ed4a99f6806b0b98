#include "engine/IntermediateNames.h"

#include <gtest/gtest.h>

#include "engine/PathParts.h"

namespace corvane {
namespace {

TEST(IntermediateNames, ThreeInputsGiveStreamsAndJoinedStream) {
  const std::wstring output = L"C:\\Out Folder\\joined.avi";
  const std::vector<std::wstring> inputs = {L"D:\\clips\\a.mp4", L"E:\\b.flv", L"D:\\clips\\sub\\c"};
  std::vector<std::wstring> intermediates;
  for (const auto& input : inputs) intermediates.push_back(IntermediatePath(output, input));
  EXPECT_EQ((std::vector<std::wstring>{L"C:\\Out Folder\\a.xbv", L"C:\\Out Folder\\b.xbv", L"C:\\Out Folder\\c.xbv"}),
            intermediates);
  EXPECT_EQ(L"C:\\Out Folder\\a_all.xbv", JoinedStreamPath(intermediates.front()));
}

TEST(IntermediateNames, NativePathsAndDotsInNames) {
  EXPECT_EQ(L"/tmp/out/my.clip.xbv", IntermediatePath(L"/tmp/out/x.mp4", L"/home/u/my.clip.mkv"));
  EXPECT_EQ(L"/tmp/out/my.clip_all.xbv", JoinedStreamPath(L"/tmp/out/my.clip.xbv"));
  EXPECT_EQ(L"a.xbv", IntermediatePath(L"out.mp4", L"a.mp4")) << "an output without folder";
}

TEST(PathParts, FolderTitleExtension) {
  const struct { const wchar_t* path; const wchar_t* folder; const wchar_t* title; const wchar_t* ext; } cases[] = {
      {L"C:\\a\\b.c.mp4", L"C:\\a\\", L"b.c", L".mp4"},
      {L"/x/y/z", L"/x/y/", L"z", L""},
      {L"C:/mixed\\sep/f.avi", L"C:/mixed\\sep/", L"f", L".avi"},
      {L"C:\\dot.dir\\noext", L"C:\\dot.dir\\", L"noext", L""},
      {L"name.", L"", L"name", L"."},
      {L"", L"", L"", L""}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.folder, FolderOf(c.path)) << c.path;
    EXPECT_EQ(c.title, TitleOf(c.path)) << c.path;
    EXPECT_EQ(c.ext, ExtensionOf(c.path)) << c.path;
  }
}

}  // namespace
}  // namespace corvane
