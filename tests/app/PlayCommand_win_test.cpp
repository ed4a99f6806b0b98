// Play... on the real program where no page can play (Wine without a
// browser engine): the file goes to the system's handler for its type. A
// handler for ".mp4" is registered for the current user, pointing at the
// launch-recording stand-in, and removed again afterwards. Wine 8 does not
// read the per-user classes into HKEY_CLASSES_ROOT, so the handler is also
// written there (in this test's own prefix).
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/PlayCommand.h"
#include "base/Handle.h"
#include "base/UniqueHandle.h"
#include "online/BrowserHost.h"
#include "base/TextConvert.h"
#include "engine/TempFiles.h"
#include "engine/ToolRunner.h"
#include "tests/app/MainWindowDriver.h"

namespace corvane {
namespace {

const wchar_t kExtensionKey[] = L"Software\\Classes\\.mp4";
const wchar_t kProgIdKey[] = L"Software\\Classes\\Corvane.TestPlayer";
const size_t kClassesPrefix = 17;  // "Software\\Classes\\": what HKEY_CLASSES_ROOT starts at

void SetDefaultText(HKEY root, const std::wstring& key, const std::wstring& value) {
  HKEY handle = nullptr;
  ASSERT_EQ(RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
}

bool HasKey(HKEY root, const wchar_t* key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

class PlayCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FileExists(BuildTreePath("app/Corvane.exe"))) << "Corvane.exe not built";
    if (CBrowserHost::EngineAvailable()) GTEST_SKIP() << "pages can play here: Play... opens the preview window";
    m_recorder = BuildTreePath("tests/launch_recorder.exe");
    ASSERT_TRUE(FileExists(m_recorder));
    m_folder = MakeUniqueTempName(GetTempFolder(), L"play");
    ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr));
    m_folder += L'\\';
    m_record = m_folder + L"launches.txt";
    SetEnvironmentVariableW(L"CORVANE_LAUNCH_RECORD", m_record.c_str());
    const std::pair<HKEY, size_t> places[] = {{HKEY_CURRENT_USER, 0}, {HKEY_CLASSES_ROOT, kClassesPrefix}};
    for (const auto& [root, skip] : places) {
      ASSERT_FALSE(HasKey(root, kExtensionKey + skip)) << "the prefix has a .mp4 handler of its own";
    }
    m_registered = true;
    for (const auto& [root, skip] : places) {
      SetDefaultText(root, kExtensionKey + skip, L"Corvane.TestPlayer");
      SetDefaultText(root, std::wstring(kProgIdKey + skip) + L"\\shell\\open\\command",
                     L"\"" + m_recorder + L"\" \"%1\"");
    }
  }
  void TearDown() override {
    SetEnvironmentVariableW(L"CORVANE_LAUNCH_RECORD", nullptr);
    if (m_registered) {
      RegDeleteTreeW(HKEY_CURRENT_USER, kExtensionKey);
      RegDeleteTreeW(HKEY_CURRENT_USER, kProgIdKey);
      RegDeleteTreeW(HKEY_CLASSES_ROOT, kExtensionKey + kClassesPrefix);
      RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgIdKey + kClassesPrefix);
    }
    if (!m_folder.empty()) RemoveFolderTree(m_folder);
  }
  std::wstring MakeFile(const std::wstring& name) {
    const std::wstring path = m_folder + name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    return path;
  }
  // A real two-second clip made with the tool beside the program; empty
  // where the build has no tool bridge.
  std::wstring MakeClip(const std::wstring& name) { return MakeTestClip(m_folder + name, /*withAudio=*/false); }
  // The first launch recorded within `limit`; empty when none.
  std::string RecordedLaunch(Clock::duration limit = 15s) {
    std::string line;
    WaitFor(
        [&] {
          std::ifstream in(m_record.c_str());
          return static_cast<bool>(std::getline(in, line)) && !line.empty();
        },
        limit);
    return line;
  }
  std::wstring m_recorder, m_folder, m_record;
  bool m_registered = false;
};

TEST_F(PlayCommand, MainWindowPlayStartsTheHandlerWithTheFile) {
  const std::wstring clip = MakeFile(L"my clip & more.mp4");
  CMainWindowDriver app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.AddThroughOpenDialog(clip));
  ASSERT_TRUE(app.Enabled(223));
  app.Command(223);  // Play... with nothing selected: the first file
  const std::string launch = RecordedLaunch();
  EXPECT_NE(launch.find(WideToUtf8(m_recorder)), std::string::npos) << launch;
  EXPECT_NE(launch.find("\"" + WideToUtf8(clip) + "\""), std::string::npos) << launch;
  // No preview window was opened for it.
  EXPECT_EQ(FindTopWindow(app.ProcessId(), L"#32770", app.Window()), nullptr);
  EXPECT_EQ(app.Close(), 2);
}

TEST_F(PlayCommand, FileGoneSinceItWasAddedDoesNothing) {
  const std::wstring clip = MakeFile(L"gone.mp4");
  CMainWindowDriver app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.AddThroughOpenDialog(clip));
  ASSERT_TRUE(DeleteFileW(clip.c_str()));
  app.Command(223);
  EXPECT_EQ(RecordedLaunch(3s), "");
  // Nor is a message shown: the program stays as it was.
  EXPECT_EQ(FindTopWindow(app.ProcessId(), L"#32770", app.Window()), nullptr);
  EXPECT_EQ(app.Close(), 2);
}

TEST_F(PlayCommand, PropertyDialogPlayStartsTheHandlerWithTheFile) {
  const std::wstring clip = MakeClip(L"shown in property.mp4");
  ASSERT_FALSE(clip.empty()) << "no ffmpeg bridge to make a clip";
  CMainWindowDriver app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.AddThroughOpenDialog(clip));
  app.Command(2011);  // Property...
  HWND property = WaitForFilledPropertyDialog(app);
  ASSERT_NE(property, nullptr);
  PostMessageW(property, WM_COMMAND, MAKEWPARAM(223, BN_CLICKED), 0);  // its Play...
  const std::string launch = RecordedLaunch();
  EXPECT_NE(launch.find("\"" + WideToUtf8(clip) + "\""), std::string::npos) << launch;
  EXPECT_TRUE(IsWindow(property));  // the dialog stays open
  PostMessageW(property, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(property); }));
  EXPECT_EQ(app.Close(), 2);
}

// Playing a file while the conversion route joins: the file is played and
// the join goes on to its result as if nothing happened.
TEST_F(PlayCommand, PlayWhileAJoinRunsLeavesTheJoinAlone) {
  const std::wstring a = MakeClip(L"a.mp4"), b = MakeClip(L"b.mp4");
  ASSERT_FALSE(a.empty() || b.empty()) << "no ffmpeg bridge to make clips";
  const std::wstring output = m_folder + L"joined.mp4";  // the first filter is MP4: its extension
  CMainWindowDriver app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.AddThroughOpenDialog(a));
  ASSERT_TRUE(app.AddThroughOpenDialog(b));
  SendMessageW(app.Item(10351), BM_SETCHECK, BST_UNCHECKED, 0);  // the conversion route, on a worker
  app.Command(1035);
  HWND save = nullptr, edit = nullptr;
  ASSERT_TRUE(app.WaitForFileDialog(save, edit));
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(output.c_str()));
  app.PressDialogOk(save);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(save) && !app.Enabled(1035) && app.Enabled(1037); }));  // joining

  app.Command(223);  // Play... the first file meanwhile
  const std::string launch = RecordedLaunch();
  EXPECT_NE(launch.find("\"" + WideToUtf8(a) + "\""), std::string::npos) << launch;

  HWND property = nullptr;
  ASSERT_TRUE(WaitFor(
      [&] {
        property = FindTopWindow(app.ProcessId(), L"#32770", app.Window());
        return property && TextOf(property) == L"Property";
      },
      90s));
  EXPECT_EQ(TextOf(GetDlgItem(property, 224)), output);
  EXPECT_TRUE(FileExists(output));
  PostMessageW(property, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(property); }));
  EXPECT_EQ(app.RowCount(), 0);  // the finished job emptied the list
  EXPECT_EQ(app.Close(), 2);
}

// In this process: the default handler directly, and paths that name no file.
TEST_F(PlayCommand, DefaultHandlerOfThisProcess) {
  const CComApartment com;
  const std::wstring clip = MakeFile(L"direct.mp4");
  EXPECT_EQ(StartPlaying(clip, EPlayRoute::kDefaultHandler), EPlayStart::kStarted);
  const std::string launch = RecordedLaunch();
  EXPECT_NE(launch.find("\"" + WideToUtf8(clip) + "\""), std::string::npos) << launch;
  // Played for a path that does not exist: nothing starts, nothing is shown.
  DeleteFileW(m_record.c_str());
  EXPECT_EQ(StartPlaying(m_folder + L"missing.mp4", EPlayRoute::kDefaultHandler), EPlayStart::kNoFile);
  EXPECT_EQ(StartPlaying(m_folder, EPlayRoute::kDefaultHandler), EPlayStart::kNoFile);  // a folder is no file to play
  EXPECT_EQ(RecordedLaunch(1s), "");
}

// Looking at the file and starting its handler can wait for minutes (a
// share that stopped answering): Play hands both to a worker and returns at
// once; a failed start comes back to the window's thread naming the file;
// a player that goes while a worker still waits does not wait for it.
TEST(FilePlayer, WaitsForNoFileOnTheWindowsThread) {
  const HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  const CHandle fileAnswers(CreateEventW(nullptr, /*manualReset=*/TRUE, FALSE, nullptr));
  std::atomic<int> looked{0};
  const auto start = [event = fileAnswers.Get(), &looked](const std::wstring& path, EPlayRoute) {
    WaitForSingleObject(event, 10000);
    ++looked;
    return path.find(L"broken") != std::wstring::npos ? EPlayStart::kFailed : EPlayStart::kStarted;
  };
  std::vector<std::pair<std::wstring, DWORD>> failures;  // path, thread
  // Delivers what reached the window for `limit` or until `done`.
  const auto pump = [&](CFilePlayer& player, Clock::duration limit, const std::function<bool()>& done) {
    const auto until = Clock::now() + limit;
    while (Clock::now() < until && !(done && done())) {
      MSG msg;
      while (PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) {
        if (!player.OnMessage(msg.message, msg.wParam, msg.lParam)) DispatchMessageW(&msg);
      }
      Sleep(10);
    }
  };
  Clock::time_point closing;
  {
    CFilePlayer player(window, start, [&](const std::wstring& path) { failures.emplace_back(path, GetCurrentThreadId()); });
    const auto playing = Clock::now();
    player.Play(L"C:\\videos\\broken clip.mp4");
    player.Play(L"C:\\videos\\fine clip.mp4");
    EXPECT_LT(Clock::now() - playing, 300ms) << "Play waited for the file";
    pump(player, 300ms, nullptr);
    EXPECT_TRUE(failures.empty());
    SetEvent(fileAnswers.Get());
    pump(player, 5s, [&] { return looked == 2 && !failures.empty(); });
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].first, L"C:\\videos\\broken clip.mp4");
    EXPECT_EQ(failures[0].second, GetCurrentThreadId());

    ResetEvent(fileAnswers.Get());
    player.Play(L"C:\\videos\\broken too.mp4");
    closing = Clock::now();
  }
  EXPECT_LT(Clock::now() - closing, 300ms) << "the player waited for its worker";
  SetEvent(fileAnswers.Get());  // that worker ends, alone
  EXPECT_TRUE(WaitFor([&] { return looked == 3; }, 5s));
  DestroyWindow(window);
}

TEST(PlayerClasses, RegistryLookUp) {
  // The class of the standard OLE font object exists on every system (and
  // in every Wine prefix); a made-up one does not.
  EXPECT_TRUE(IsComClassRegistered(L"0BE35203-8F91-11CE-9DE3-00AA004BB851"));
  EXPECT_FALSE(IsComClassRegistered(L"01234567-89AB-CDEF-0123-456789ABCDEF"));
}

}  // namespace
}  // namespace corvane
