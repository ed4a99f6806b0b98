// The preview window in this process, with its dialog template taken from
// the built Corvane.exe: the TFR page it writes and removes, no window for a
// type no page plays, the position it keeps in "Settings" / "Placement1",
// several windows at once, and a temporary folder that cannot be written.
#include "app/FlvDlg.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/MarkupEscape.h"
#include "app/ModelessDialogs.h"
#include "app/PreviewPlacement.h"
#include "base/F3DLogHTML.h"
#include "base/TextConvert.h"
#include "engine/TempFiles.h"
#include "settings/Preference.h"
#include "tests/app/MainWindowDriver.h"

namespace corvane {
namespace {

// Dispatches this thread's messages for a while, as the program's loop does.
void Pump(std::chrono::milliseconds duration = std::chrono::milliseconds(300)) {
  const auto until = std::chrono::steady_clock::now() + duration;
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (RouteModelessDialogMessage(message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  } while (std::chrono::steady_clock::now() < until);
}

std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::wstring FileNameOf(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/") + 1); }

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/") + 1); }

RECT WindowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

class PreviewWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring program = BuildTreePath("app/Corvane.exe");
    ASSERT_TRUE(FileExists(program)) << "Corvane.exe not built";
    m_resources = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(m_resources, nullptr);
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    m_comStarted = true;
    m_folder = MakeUniqueTempName(GetTempFolder(), L"pv");
    ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr));
    m_folder += L'\\';
    ForgetPlacement();
  }
  void TearDown() override {
    DestroyModelessDialogs();
    Pump(std::chrono::milliseconds(50));
    ForgetPlacement();
    if (m_comStarted) CoUninitialize();
    if (m_resources) FreeLibrary(m_resources);
    if (!m_folder.empty()) RemoveFolderTree(m_folder);
  }
  static void ForgetPlacement() {
    if (CPreference* store = GetPreference()) store->WriteString(kPreviewPlacementSection, kPreviewPlacementKey, nullptr);
  }
  static TByteVector StoredPlacement() {
    TByteVector bytes;
    if (CPreference* store = GetPreference()) store->GetBinary(kPreviewPlacementSection, kPreviewPlacementKey, bytes);
    return bytes;
  }
  std::wstring MakeFile(const std::wstring& name) {
    const std::wstring path = m_folder + name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    return path;
  }
  CFlvDlg* Open(const std::wstring& path) {
    CFlvDlg* dialog = CFlvDlg::Open(path, m_resources);
    Pump();
    return dialog;
  }
  // Closes the window as its close box does; true when it is gone.
  static bool Close(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    Pump();
    return !IsWindow(window);
  }

  HMODULE m_resources = nullptr;
  bool m_comStarted = false;
  std::wstring m_folder;
};

// The TFR file's name and folder.
void ExpectTemporaryFile(const std::wstring& path) {
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(FileNameOf(path).rfind(L"TFR", 0), 0u) << WideToUtf8(path);
  EXPECT_EQ(_wcsicmp(FolderOf(path).c_str(), GetTempFolder().c_str()), 0) << WideToUtf8(path);
  // (Wine keeps no "temporary" attribute on its files, so that is not checked.)
  EXPECT_TRUE(FileExists(path));
}

TEST_F(PreviewWindow, Mp4WritesTheMediaPlayerPageAndRemovesItOnClose) {
  const std::wstring clip = MakeFile(L"Tom & Jerry's \u00e9t\u00e9.mp4");
  CFlvDlg* dialog = Open(clip);
  ASSERT_NE(dialog, nullptr);
  HWND window = dialog->Window();
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
  EXPECT_EQ(dialog->Kind(), kPreviewWindowsMedia);
  EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME);
  // The browser's panel fills the window.
  HWND panel = GetDlgItem(window, IDC_FLV_BROWSER);
  ASSERT_NE(panel, nullptr);
  RECT client = {}, panelRect = WindowRect(panel);
  GetClientRect(window, &client);
  EXPECT_EQ(panelRect.right - panelRect.left, client.right);
  EXPECT_EQ(panelRect.bottom - panelRect.top, client.bottom);

  const std::wstring page = dialog->PageFile();
  ExpectTemporaryFile(page);
  const std::string pageBytes = ReadBytes(page);
  EXPECT_NE(pageBytes.find("charset=utf-8"), std::string::npos);
  EXPECT_NE(pageBytes.find("clsid:6BF52A52-394A-11d3-B153-00C04F79FAA6"), std::string::npos);
  EXPECT_NE(pageBytes.find(WideToUtf8(EscapeMarkup(clip))), std::string::npos) << pageBytes;

  // The panel grows with the window.
  SetWindowPos(window, nullptr, 0, 0, 700, 520, SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  GetClientRect(window, &client);
  panelRect = WindowRect(panel);
  EXPECT_EQ(panelRect.right - panelRect.left, client.right);
  EXPECT_EQ(panelRect.bottom - panelRect.top, client.bottom);

  ASSERT_TRUE(Close(window));
  EXPECT_FALSE(FileExists(page));
  EXPECT_TRUE(FileExists(clip));  // the user's file stays, of course
}

// FLV (and any other type no page plays) is left to the system's player:
// no window, no page file.
TEST_F(PreviewWindow, FlvOpensNoPreviewWindow) {
  const std::wstring pattern = GetTempFolder() + L"TFR*";
  const auto pageFiles = [&] {
    int count = 0;
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do ++count; while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
  };
  const int before = pageFiles();
  EXPECT_EQ(Open(MakeFile(L"joined.flv")), nullptr);
  EXPECT_EQ(pageFiles(), before);
}

TEST_F(PreviewWindow, WmvAndRmWriteTheirPage) {
  const struct {
    const wchar_t* name;
    const char* classId;
  } cases[] = {{L"talk.WMV", "6BF52A52-394A-11d3-B153-00C04F79FAA6"}, {L"talk.rm", "CFCDAA03-8BE4-11cf-B84B-0020AFBBCCFA"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.name));
    const std::wstring clip = MakeFile(c.name);
    CFlvDlg* dialog = Open(clip);
    ASSERT_NE(dialog, nullptr);
    const std::wstring page = dialog->PageFile();
    ExpectTemporaryFile(page);
    const std::string bytes = ReadBytes(page);
    EXPECT_NE(bytes.find(c.classId), std::string::npos);
    EXPECT_NE(bytes.find(WideToUtf8(EscapeMarkup(clip))), std::string::npos);
    ASSERT_TRUE(Close(dialog->Window()));
    EXPECT_FALSE(FileExists(page));
  }
}

// The player page loads; the disk, a share or a script do not, whoever asks.
TEST_F(PreviewWindow, PanelLoadsItsOwnPageAndRefusesOtherFilesAndScripts) {
  std::vector<std::wstring> refusals;
  CF3DLogHTML::Instance().SetDebugOutput([&refusals](const std::wstring& line) {
    if (line.find(L"Web panel: refused") != std::wstring::npos) refusals.push_back(line);
  });
  CFlvDlg* dialog = Open(MakeFile(L"panel.mp4"));
  ASSERT_NE(dialog, nullptr);
  ASSERT_NE(dialog->Browser(), nullptr);
  if (!dialog->Browser()->EventsConnected()) {
    CF3DLogHTML::Instance().SetDebugOutput({});
    GTEST_SKIP() << "this system's control offers no events";
  }
  EXPECT_EQ(refusals, std::vector<std::wstring>{}) << "the player page itself was refused";
  for (const wchar_t* address : {L"file:///C:/windows/win.ini", L"javascript:alert(1)"}) {
    dialog->Browser()->Navigate(address);
    Pump();
  }
  CF3DLogHTML::Instance().SetDebugOutput({});
  ASSERT_EQ(refusals.size(), 2u);
  // Wine names the file by its path, Windows may by its file: address.
  EXPECT_NE(refusals[0].find(L"win.ini"), std::wstring::npos) << WideToUtf8(refusals[0]);
  EXPECT_NE(refusals[1].find(L"javascript:alert(1)"), std::wstring::npos) << WideToUtf8(refusals[1]);
}

TEST_F(PreviewWindow, SeveralWindowsLiveIndependently) {
  CFlvDlg* first = Open(MakeFile(L"a.mp4"));
  CFlvDlg* second = Open(MakeFile(L"b.mp4"));
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  const std::wstring firstPage = first->PageFile(), secondPage = second->PageFile();
  EXPECT_NE(firstPage, secondPage);
  HWND secondWindow = second->Window();
  ASSERT_TRUE(Close(first->Window()));
  EXPECT_FALSE(FileExists(firstPage));
  EXPECT_TRUE(IsWindowVisible(secondWindow));
  EXPECT_TRUE(FileExists(secondPage));
  // The end of the program's loop closes whatever is still open, cleanly.
  DestroyModelessDialogs();
  EXPECT_FALSE(IsWindow(secondWindow));
  EXPECT_FALSE(FileExists(secondPage));
}

TEST_F(PreviewWindow, PlacementStoredAtCloseIsTakenByTheNextWindow) {
  const std::wstring clip = MakeFile(L"placed.rm");
  CFlvDlg* dialog = Open(clip);
  ASSERT_NE(dialog, nullptr);
  SetWindowPos(dialog->Window(), nullptr, 50, 60, 500, 400, SWP_NOZORDER);
  Pump();
  ASSERT_TRUE(Close(dialog->Window()));
  SWindowPlacementValue stored;
  ASSERT_TRUE(DecodeWindowPlacement(StoredPlacement(), stored)) << StoredPlacement().size();
  EXPECT_EQ(stored.length, 44u);
  EXPECT_EQ(stored.flags, 0u);
  EXPECT_EQ(stored.showState, 1u);
  EXPECT_EQ(stored.right - stored.left, 500);
  EXPECT_EQ(stored.bottom - stored.top, 400);

  dialog = Open(clip);
  ASSERT_NE(dialog, nullptr);
  const RECT rect = WindowRect(dialog->Window());
  EXPECT_EQ(rect.right - rect.left, 500);
  EXPECT_EQ(rect.bottom - rect.top, 400);
  // The page was made for the size the window opened with.
  EXPECT_NE(ReadBytes(dialog->PageFile()).find("width=\"492\" height=\"250\""), std::string::npos);

  ShowWindow(dialog->Window(), SW_MAXIMIZE);
  Pump();
  ASSERT_TRUE(Close(dialog->Window()));
  ASSERT_TRUE(DecodeWindowPlacement(StoredPlacement(), stored));
  EXPECT_EQ(stored.flags, 2u);
  EXPECT_EQ(stored.showState, 3u);
  EXPECT_EQ(stored.right - stored.left, 500);  // the size it comes back to

  dialog = Open(clip);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsZoomed(dialog->Window()));
  ASSERT_TRUE(Close(dialog->Window()));
}

TEST_F(PreviewWindow, UnusableStoredPlacementIsIgnored) {
  const std::wstring clip = MakeFile(L"default.mp4");
  CFlvDlg* dialog = Open(clip);
  ASSERT_NE(dialog, nullptr);
  const RECT defaultRect = WindowRect(dialog->Window());
  ASSERT_TRUE(Close(dialog->Window()));

  SWindowPlacementValue offScreen;
  offScreen.left = -3000;
  offScreen.top = 100;
  offScreen.right = -2500;
  offScreen.bottom = 400;
  TByteVector shortValue = EncodeWindowPlacement(SWindowPlacementValue{0, 0, 1, 0, 0, 0, 0, 10, 10, 300, 200});
  shortValue.pop_back();
  for (const TByteVector& value : {EncodeWindowPlacement(offScreen), shortValue}) {
    ASSERT_TRUE(GetPreference()->WriteBinary(kPreviewPlacementSection, kPreviewPlacementKey, value));
    dialog = Open(clip);
    ASSERT_NE(dialog, nullptr);
    const RECT rect = WindowRect(dialog->Window());
    EXPECT_TRUE(IsWindowVisible(dialog->Window()));
    EXPECT_EQ(rect.right - rect.left, defaultRect.right - defaultRect.left);
    EXPECT_EQ(rect.bottom - rect.top, defaultRect.bottom - defaultRect.top);
    EXPECT_GE(rect.left, 0);
    ASSERT_TRUE(Close(dialog->Window()));
  }
}

TEST_F(PreviewWindow, UnwritableTemporaryFolderLeavesAnEmptyWindow) {
  wchar_t savedTmp[MAX_PATH] = {}, savedTemp[MAX_PATH] = {};
  const bool hadTmp = GetEnvironmentVariableW(L"TMP", savedTmp, MAX_PATH) != 0;
  const bool hadTemp = GetEnvironmentVariableW(L"TEMP", savedTemp, MAX_PATH) != 0;
  const std::wstring missing = m_folder + L"no such folder\\";
  SetEnvironmentVariableW(L"TMP", missing.c_str());
  SetEnvironmentVariableW(L"TEMP", missing.c_str());
  CFlvDlg* dialog = CFlvDlg::Open(MakeFile(L"nowhere.mp4"), m_resources);
  SetEnvironmentVariableW(L"TMP", hadTmp ? savedTmp : nullptr);
  SetEnvironmentVariableW(L"TEMP", hadTemp ? savedTemp : nullptr);
  ASSERT_NE(dialog, nullptr);
  Pump();
  EXPECT_TRUE(IsWindowVisible(dialog->Window()));
  EXPECT_TRUE(dialog->PageFile().empty());
  ASSERT_TRUE(Close(dialog->Window()));
}

}  // namespace
}  // namespace corvane
