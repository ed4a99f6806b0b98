// The main window driven from outside, as a user would: its controls and
// their states, files added through the real open dialog, moved and
// removed, the column layout kept across a restart, and a fast-route join
// that ends in the property dialog.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/app/MainWindowDriver.h"
#include "base/TextConvert.h"
#include "engine/TempFiles.h"
#include "engine/ToolRunner.h"

namespace corvane {
namespace {

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FileExists(BuildTreePath("app/Corvane.exe"))) << "Corvane.exe was not built";
    m_folder = MakeUniqueTempName(GetTempFolder(), L"ui");
    ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr));
    m_folder += L'\\';
  }
  void TearDown() override {
    if (!m_folder.empty()) RemoveFolderTree(m_folder);
  }
  std::wstring MakeClip(const std::wstring& name) { return MakeTestClip(m_folder + name); }
  std::wstring MakeFile(const std::wstring& name) {
    const std::wstring path = m_folder + name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    return path;
  }
  std::wstring m_folder;
};

TEST_F(MainWindow, ControlsExistWithTheirClassesAndInitialStates) {
  CMainWindowDriver app;
  ASSERT_TRUE(app.Start());
  const struct {
    int id;
    const wchar_t* className;
    bool enabled;
  } controls[] = {
      {1011, L"SysListView32", true}, {1038, L"Button", true},     {1034, L"Button", false},
      {1031, L"Button", false},       {1032, L"Button", false},    {223, L"Button", false},
      {2011, L"Button", false},       {10351, L"Button", true},    {1035, L"Button", false},
      {1037, L"Button", false},       {148, L"msctls_progress32", true}, {1018, L"ComboBoxEx32", true},
      {2023, L"Button", true},        {1036, L"Button", true},
  };
  for (const auto& c : controls) {
    SCOPED_TRACE(c.id);
    HWND control = app.Item(c.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(ClassOf(control), c.className);
    EXPECT_EQ(IsWindowEnabled(control) != FALSE, c.enabled);
  }
  EXPECT_EQ(SendMessageW(app.Item(10351), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(TextOf(app.Item(1035)), L"&Join...");
  const LONG listStyle = GetWindowLongW(app.Item(1011), GWL_STYLE);
  EXPECT_TRUE(listStyle & LVS_OWNERDATA);
  EXPECT_TRUE(listStyle & LVS_SINGLESEL);
  EXPECT_EQ(app.RowCount(), 0);
  EXPECT_EQ(app.ColumnCount(), 3);
  EXPECT_EQ(app.Close(), 2);
}

TEST_F(MainWindow, AddMoveRemoveThroughTheButtons) {
  const std::wstring a = MakeFile(L"first.flv"), b = MakeFile(L"second & more.mp4"), c = MakeFile(L"third.avi");
  CMainWindowDriver app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.AddThroughOpenDialog(a));
  EXPECT_TRUE(app.Enabled(1034));   // Remove
  EXPECT_FALSE(app.Enabled(1035));  // Join needs two
  EXPECT_TRUE(app.Enabled(2011));   // Property
  ASSERT_TRUE(app.AddThroughOpenDialog(b));
  ASSERT_TRUE(app.AddThroughOpenDialog(c));
  EXPECT_TRUE(app.Enabled(1035));
  EXPECT_EQ(app.RowCount(), 3);
  EXPECT_EQ(app.RowText(0, 0), L"1");
  EXPECT_EQ(app.RowText(1, 1), L"second && more.mp4");
  EXPECT_EQ(app.RowText(2, 2), m_folder);
  // The artefact: the main window with three files listed.
  SetForegroundWindow(app.Window());
  std::this_thread::sleep_for(500ms);
  const std::wstring artefacts = BuildTreePath("test-artefacts");
  CreateDirectoryW(artefacts.c_str(), nullptr);
  EXPECT_TRUE(SaveWindowBitmap(app.Window(), artefacts + L"\\main-window-three-files.bmp"));

  app.SelectRow(2);
  app.Command(1031);  // Move Up
  ASSERT_TRUE(WaitFor([&] { return app.RowText(1, 1) == L"third.avi"; }));
  EXPECT_EQ(app.SelectedRow(), 1);
  app.Command(1032);  // Move Down
  ASSERT_TRUE(WaitFor([&] { return app.RowText(2, 1) == L"third.avi"; }));
  EXPECT_EQ(app.SelectedRow(), 2);
  app.Command(1032);  // already last: nothing moves
  app.SelectRow(0);
  app.Command(1034);  // Remove the first
  ASSERT_TRUE(WaitFor([&] { return app.RowCount() == 2; }));
  EXPECT_EQ(app.RowText(0, 1), L"second && more.mp4");
  EXPECT_EQ(app.RowText(1, 1), L"third.avi");

  // Adding the same file again keeps it once.
  app.Command(1038);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindTopWindow(app.ProcessId(), L"#32770", app.Window())) != nullptr; }));
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);  // cancelled: nothing changes
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(app.RowCount(), 2);
  EXPECT_EQ(app.Close(), 2);
}

// The visible dialog of the process titled `title`, other than the main window.

TEST_F(MainWindow, AboutAndPropertyDialogsOpenAndClose) {
  const std::wstring clip = MakeClip(L"shown.mp4");
  CMainWindowDriver app;
  ASSERT_TRUE(app.Start());
  // The program's icon (resource 128) that the window shows.
  HMODULE exe = LoadLibraryExW(BuildTreePath("app/Corvane.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  EXPECT_NE(LoadImageW(exe, MAKEINTRESOURCEW(128), IMAGE_ICON, 16, 16, 0), nullptr);
  FreeLibrary(exe);

  app.Command(1036);
  HWND about = WaitForDialog(app, L"About");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(about, 100)).rfind(L"Corvane(tavrel) v", 0), 0u);
  EXPECT_FALSE(TextOf(GetDlgItem(about, 1005)).empty());
  EXPECT_NE(TextOf(GetDlgItem(about, 101)).find(L'@'), std::wstring::npos);
  PostMessageW(about, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(about); }));

  ASSERT_FALSE(clip.empty()) << "the build put no ffmpeg bridge beside Corvane.exe";
  ASSERT_TRUE(app.AddThroughOpenDialog(clip));
  app.Command(2011);  // Property... of the first (nothing selected)
  HWND property = WaitForFilledPropertyDialog(app);
  ASSERT_NE(property, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(property, 224)), clip);
  EXPECT_EQ(TextOf(GetDlgItem(property, 194)), L"160x120 pixels");
  EXPECT_EQ(TextOf(GetDlgItem(property, 205)), L"00:00:02.00");
  SendMessageW(property, WM_COMMAND, 239, 0);  // accepted and ignored
  EXPECT_TRUE(IsWindow(property));
  PostMessageW(property, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(property); }));
  EXPECT_EQ(app.RowCount(), 1);  // looking changes nothing
  EXPECT_EQ(app.Close(), 2);
}

TEST_F(MainWindow, ColumnLayoutSurvivesARestart) {
  int widths[2] = {0, 0};
  {
    CMainWindowDriver app;
    ASSERT_TRUE(app.Start());
    ASSERT_EQ(app.ColumnCount(), 3);
    widths[0] = app.ColumnWidth(1) + 37;
    widths[1] = app.ColumnWidth(2) + 11;
    app.SetColumnWidth(1, widths[0]);
    app.SetColumnWidth(2, widths[1]);
    ASSERT_EQ(app.ColumnWidth(1), widths[0]);
    EXPECT_EQ(app.Close(), 2);
  }
  CMainWindowDriver again;
  ASSERT_TRUE(again.Start());
  EXPECT_EQ(again.ColumnCount(), 3);
  EXPECT_EQ(again.ColumnWidth(1), widths[0]);
  EXPECT_EQ(again.ColumnWidth(2), widths[1]);
  EXPECT_EQ(again.Close(), 2);
}

TEST_F(MainWindow, FastJoinShowsThePropertyDialogWithTheResult) {
  const std::wstring a = MakeClip(L"a.mp4"), b = MakeClip(L"b.mp4");
  ASSERT_FALSE(a.empty() || b.empty()) << "the build put no ffmpeg bridge beside Corvane.exe";
  const std::wstring output = m_folder + L"joined.mp4";
  CMainWindowDriver app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.AddThroughOpenDialog(a));
  ASSERT_TRUE(app.AddThroughOpenDialog(b));
  app.Command(1035);  // Join: the save dialog asks for the output
  HWND save = nullptr, edit = nullptr;
  ASSERT_TRUE(app.WaitForFileDialog(save, edit));
  EXPECT_EQ(TextOf(edit).rfind(L"a_all", 0), 0u);  // the proposed name
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(output.c_str()));
  app.PressDialogOk(save);

  // The property dialog shows the joined file.
  HWND property = nullptr;
  ASSERT_TRUE(WaitFor(
      [&] {
        property = FindTopWindow(app.ProcessId(), L"#32770", app.Window());
        return property && property != save && IsWindow(property) && TextOf(property) == L"Property";
      },
      60s));
  EXPECT_EQ(TextOf(GetDlgItem(property, 224)), output);
  EXPECT_EQ(TextOf(GetDlgItem(property, 193)), L"mp4");
  EXPECT_EQ(TextOf(GetDlgItem(property, 194)), L"160x120 pixels");
  EXPECT_EQ(TextOf(GetDlgItem(property, 197)), L"25.00 fps");
  EXPECT_TRUE(FileExists(output));
  PostMessageW(property, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(property); }));
  // The finished job empties the list.
  EXPECT_EQ(app.RowCount(), 0);
  EXPECT_FALSE(app.Enabled(1035));
  EXPECT_EQ(app.Close(), 2);
}

// While the conversion route converts the inputs (a step the queue timer
// starts, not a command), the buttons follow the job: Cancel can be pressed,
// Join and Add cannot, and files cannot be dropped; Cancel ends the tool and
// leaves no intermediate and no output.
TEST_F(MainWindow, ConversionRouteOffersCancelAndCancelLeavesNothing) {
  const std::wstring a = MakeTestClip(m_folder + L"a.mp4", true, 60), b = MakeClip(L"b.mp4");
  ASSERT_FALSE(a.empty() || b.empty()) << "the build put no ffmpeg bridge beside Corvane.exe";
  const std::wstring output = m_folder + L"joined.flv";
  CMainWindowDriver app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.AddThroughOpenDialog(a));
  ASSERT_TRUE(app.AddThroughOpenDialog(b));
  SendMessageW(app.Item(10351), BM_SETCHECK, BST_UNCHECKED, 0);  // Fast-Join off
  app.Command(1035);
  HWND save = nullptr, edit = nullptr;
  ASSERT_TRUE(app.WaitForFileDialog(save, edit));
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(output.c_str()));
  app.PressDialogOk(save);

  const std::wstring intermediate = m_folder + L"a.xbv";
  ASSERT_TRUE(WaitFor([&] { return FileExists(intermediate); }, 60s)) << "the first conversion never started";
  ASSERT_TRUE(WaitFor([&] { return app.Enabled(1037); }, 5s));
  EXPECT_FALSE(app.Enabled(1035));
  EXPECT_FALSE(app.Enabled(1038));

  app.Command(1037);
  ASSERT_TRUE(WaitFor([&] { return !FileExists(intermediate); }, 10s)) << "the intermediate stayed";
  EXPECT_FALSE(FileExists(output));
  EXPECT_TRUE(WaitFor([&] { return !app.Enabled(1037); }, 5s));
  EXPECT_TRUE(app.Enabled(1038));
  EXPECT_EQ(app.RowCount(), 0);
  EXPECT_TRUE(FileExists(a));
  EXPECT_EQ(app.Close(), 2);
}

}  // namespace
}  // namespace corvane
