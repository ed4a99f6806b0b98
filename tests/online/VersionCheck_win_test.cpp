// The version check of the real program against a loopback server that
// serves the version file: the New Version dialog (with the system frame,
// and in the shipped skin when one is selected), the hand-off to a
// stand-in updater (the launch recorder copied as "updater.exe"), the
// installer page without one, "Don't remind me again", the tip page of a
// program below the minimum version with the stand-alone window's stored
// position, and a version file that is an error page. The recorder also
// stands in for the web browser (the http handler of this prefix), which
// shows pages where the system has no page engine.
// One test: every scenario starts the program once, and they share a setup.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "tests/UnixTempName_win.h"

#include "tests/RegistryText_win.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "base/TextConvert.h"
#include "engine/TempFiles.h"
#include "tests/app/MainWindowDriver.h"
#include "tests/base/http/LoopbackServer.h"
#include "tests/skin/DialogShadows_win.h"
#include "tests/skin/ShippedSkin_win.h"
#include "skin/SkinHitTest.h"

namespace corvane {
namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Tavrel\\Corvane\\Settings";
constexpr wchar_t kConfigKey[] = L"Software\\Tavrel\\Corvane\\Config";
constexpr wchar_t kWebHandlerKey[] = L"http\\shell\\open\\command";  // under HKEY_CLASSES_ROOT
constexpr wchar_t kDialogTitle[] = L"New Version of Corvane(tavrel)";
constexpr char kSha256[] = "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef";
// Base64 holds "+", "/" and "=", which the record carries as they are.
constexpr char kSignature[] = "MEUCIQD+/x9a0b=";

using test::GetRegistryText;
using test::SetRegistryText;

DWORD GetNumber(const std::wstring& key, const wchar_t* name) {
  DWORD value = 0, bytes = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &bytes) != ERROR_SUCCESS)
    return 0;
  return value;
}

std::wstring AppDataFolder() {
  wchar_t folder[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
  return std::wstring(folder) + L"\\Corvane(tavrel)\\appdata\\";
}

std::string JsonEscaped(const std::wstring& text) {
  std::string out;
  for (char c : WideToUtf8(text)) {
    if (c == '\\') out += '\\';
    out += c;
  }
  return out;
}

class VersionCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring built = BuildTreePath("app/Corvane.exe");
    ASSERT_TRUE(FileExists(built)) << "Corvane.exe was not built";
    m_recorder = BuildTreePath("tests/launch_recorder.exe");
    ASSERT_TRUE(FileExists(m_recorder));
    // The server reads its files from a Linux folder; this process writes
    // them through Z:.
    m_unixFiles = test::UnixTempName(L"corvane-version-check-");
    m_files = test::UnixToWine(m_unixFiles);
    ASSERT_TRUE(CreateDirectoryW(m_files.c_str(), nullptr));
    m_server = std::make_unique<LoopbackServer>(m_unixFiles);
    ASSERT_NE(m_server->Port(), 0u) << "the loopback server (python3) did not start";

    // The program in a folder of its own, with its English pack.
    m_folder = m_files + L"\\Program Files";
    ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((m_folder + L"\\language").c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(built.c_str(), (m_folder + L"\\Corvane.exe").c_str(), FALSE));
    CopyFileW(BuildTreePath("app/language/English.lng").c_str(), (m_folder + L"\\language\\English.lng").c_str(), FALSE);

    m_record = m_files + L"\\launches.txt";
    SetEnvironmentVariableW(L"CORVANE_LAUNCH_RECORD", m_record.c_str());
    m_webHandler = GetRegistryText(HKEY_CLASSES_ROOT, kWebHandlerKey, nullptr);
    SetRegistryText(HKEY_CLASSES_ROOT, kWebHandlerKey, nullptr, L"\"" + m_recorder + L"\" \"%1\"");
    // The prefix is shared with other tests: what this test changes in the
    // program's settings is put back afterwards.
    for (const wchar_t* name : {L"Language", L"SysFlags", L"DismissedVersion", L"SkinName"}) {
      m_saved.push_back(Save(kConfigKey, name));
    }
    m_saved.push_back(Save(kSettingsKey, L"UpdateURL"));
    m_saved.push_back(Save(kSettingsKey, L"SBPlacement"));
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"SBPlacement");
    SetRegistryText(HKEY_CURRENT_USER, kConfigKey, L"Language", L"English");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kConfigKey, L"SysFlags");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kConfigKey, L"DismissedVersion");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kConfigKey, L"SkinName");
  }

  void TearDown() override {
    SetEnvironmentVariableW(L"CORVANE_LAUNCH_RECORD", nullptr);
    if (!m_webHandler.empty()) SetRegistryText(HKEY_CLASSES_ROOT, kWebHandlerKey, nullptr, m_webHandler);
    for (const SSavedValue& value : m_saved) Restore(value);
    m_server.reset();
    if (!m_files.empty()) RemoveFolderTree(m_files);
  }

  // Serves `content` as the version file `name` and points the program at it.
  void ServeVersionFile(const std::string& name, const std::string& content) {
    std::ofstream(WideToUtf8(m_files + L"\\" + Utf8ToWide(name)).c_str(), std::ios::binary) << content;
    SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, L"UpdateURL", Url(name));
    // The last check's file must not be taken for this one's.
    DeleteFileW((AppDataFolder() + L"corvanever.ini").c_str());
  }
  std::wstring Url(const std::string& name) const { return m_server->Url((L"/files/" + Utf8ToWide(name)).c_str()); }

  bool Served(const std::string& name) {
    std::ifstream in(WideToUtf8(m_files + L"\\requests.log").c_str());
    for (std::string line; std::getline(in, line);) {
      if (line == "/files/" + name) return true;
    }
    return false;
  }

  // The first recorded launch whose line contains `part`; empty when none
  // came within the wait.
  std::string WaitForLaunch(const std::string& part) {
    std::string found;
    WaitFor([&] {
      std::ifstream in(WideToUtf8(m_record).c_str());
      for (std::string line; std::getline(in, line);) {
        if (line.find(part) != std::string::npos) {
          found = line;
          return true;
        }
      }
      return false;
    });
    return found;
  }

  // Proves that the check has shown nothing: once the version file is in
  // place the program's notice is queued, so the About dialog asked for
  // afterwards comes up behind it, and by then the New Version dialog
  // would be there.
  void ExpectNoDialog(CMainWindowDriver& app, const std::string& name) {
    ASSERT_TRUE(WaitFor([&] { return Served(name); })) << "the program never asked for " << name;
    WaitFor([&] { return FileExists(AppDataFolder() + L"corvanever.ini"); }, std::chrono::seconds(5));
    app.Command(1036);  // About...
    HWND about = WaitForDialog(app, L"About");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(FindNewVersionDialog(app), nullptr);
    PostMessageW(about, WM_COMMAND, IDCANCEL, 0);
    WaitFor([&] { return !IsWindow(about); });
  }

  // The drop shadows the dialog shows beside it (windows of its process).
  static int VisibleShadowsOf(HWND dialog) {
    const std::vector<HWND> shadows = test::ShadowWindowsOf(dialog);
    return static_cast<int>(std::count_if(shadows.begin(), shadows.end(), [](HWND w) { return IsWindowVisible(w) != FALSE; }));
  }

  // The skin the build drew, in the program's skins folder.
  void InstallShippedSkin() {
    const std::wstring folder = m_folder + L"\\skins\\Slate";
    ASSERT_TRUE(SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr) == ERROR_SUCCESS ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    for (const wchar_t* name : {L"skin.xml", L"frame.bmp"}) {
      ASSERT_TRUE(CopyFileW(test::ShippedSkinFile(name).c_str(), (folder + L"\\" + name).c_str(), FALSE)) << name;
    }
  }

  // The dialog, in another process, wears the shipped skin: its frame
  // answers as the skin's anchors say, the system border is gone, and the
  // screen shows the skin's top row in both activation states.
  static void ExpectShippedSkin(HWND dialog) {
    const SWindowSkin skin = test::ShippedDialogSkin();
    ASSERT_TRUE(skin.HasAnchor(kAnchorClose) && skin.HasAnchor(kAnchorMinimise) && skin.HasPart(kPartTopIA));
    EXPECT_EQ(GetWindowLongPtrW(dialog, GWL_STYLE) & WS_BORDER, 0);
    EXPECT_EQ(VisibleShadowsOf(dialog), 0);  // the skin draws its own edge
    RECT r = {};
    GetWindowRect(dialog, &r);
    const SSkinRect w{r.left, r.top, r.right, r.bottom};
    const auto hitAt = [&](int x, int y) { return SendMessageW(dialog, WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
    const auto hitAtAnchor = [&](int anchor) {
      const SSkinRect a = PlaceAnchor(skin.anchors[anchor].rect, w);
      return hitAt((a.left + a.right) / 2, (a.top + a.bottom) / 2);
    };
    EXPECT_EQ(hitAtAnchor(kAnchorClose), HTCLOSE);
    EXPECT_EQ(hitAtAnchor(kAnchorMinimise), HTMINBUTTON);
    const SFrameThickness t = FrameThickness(skin);
    EXPECT_EQ(hitAt(w.left + w.Width() / 2, w.top + t.top / 2), HTCAPTION);

    // Below the caption text, the top row shows the skin's Top part, or
    // TopIA while the dialog is told it is inactive.
    const test::CShippedSkinBitmap bitmap;
    ASSERT_TRUE(bitmap.IsValid());
    const int row = skin.caption.b + skin.caption.d + 1;
    const SSkinRect& top = skin.parts[kPartTop].source;
    const SSkinRect& topInactive = skin.parts[kPartTopIA].source;
    const int x = w.left + w.Width() / 2, y = w.top + row;
    const COLORREF active = bitmap.At(top, top.Width() / 2, row);
    const COLORREF inactive = bitmap.At(topInactive, topInactive.Width() / 2, row);
    ASSERT_NE(active, inactive);
    EXPECT_EQ(test::AwaitScreenPixel(x, y, active), active);
    test::SaveWindowScreenshot(dialog, L"new-version-skinned-active.bmp");
    SendMessageW(dialog, WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(test::AwaitScreenPixel(x, y, inactive), inactive);
    test::SaveWindowScreenshot(dialog, L"new-version-skinned-inactive.bmp");
    SendMessageW(dialog, WM_NCACTIVATE, TRUE, 0);
  }

  static HWND FindNewVersionDialog(CMainWindowDriver& app) {
    HWND dialog = FindTopWindow(app.ProcessId(), L"#32770", app.Window());
    return dialog && TextOf(dialog) == kDialogTitle ? dialog : nullptr;
  }

  struct SSavedValue {
    const wchar_t* key;
    const wchar_t* name;
    bool present = false;
    DWORD type = 0;
    std::vector<BYTE> data;
  };
  static SSavedValue Save(const wchar_t* key, const wchar_t* name) {
    SSavedValue value{key, name, false, 0, {}};
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, &value.type, nullptr, &bytes) != ERROR_SUCCESS)
      return value;
    value.data.resize(bytes);
    value.present = RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, &value.type, value.data.data(), &bytes) ==
                    ERROR_SUCCESS;
    return value;
  }
  static void Restore(const SSavedValue& value) {
    if (!value.present) {
      RegDeleteKeyValueW(HKEY_CURRENT_USER, value.key, value.name);
      return;
    }
    RegSetKeyValueW(HKEY_CURRENT_USER, value.key, value.name, value.type, value.data.data(),
                    static_cast<DWORD>(value.data.size()));
  }

  std::vector<SSavedValue> m_saved;
  std::wstring m_recorder, m_files, m_unixFiles, m_folder, m_record, m_webHandler;
  std::unique_ptr<LoopbackServer> m_server;
};

TEST_F(VersionCheck, DialogHandOffReminderTipPageAndErrorPage) {
  const std::wstring program = m_folder + L"\\Corvane.exe";
  {
    SCOPED_TRACE("a newer version, no updater beside the program: the installer page opens");
    ServeVersionFile("a.ini", "[MAIN]\r\nVersion=v9.9\r\ninstallerurl=http://127.0.0.1:9/setup-a.exe\r\n");
    CMainWindowDriver app;
    ASSERT_TRUE(app.StartProgram(program));
    HWND dialog = WaitForDialog(app, kDialogTitle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 2523)), L"v2.2");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 2524)), L"08-07-2015");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 2520)), L"v9.9");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 2521)), L"Aug  8 2015");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 2522)), L"Do you wish to update now?");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, 2525)));
    // No skin selected: the system's frame.
    EXPECT_EQ(GetWindowLongPtrW(dialog, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
    RECT regionBox = {};
    EXPECT_EQ(GetWindowRgnBox(dialog, &regionBox), ERROR);
    EXPECT_EQ(VisibleShadowsOf(dialog), 2);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_NE(WaitForLaunch("setup-a.exe"), "");
    EXPECT_EQ(app.Close(), 2);
  }
  const std::wstring updater = m_folder + L"\\updater.exe";
  ASSERT_TRUE(CopyFileW(m_recorder.c_str(), updater.c_str(), FALSE));
  {
    SCOPED_TRACE("OK starts updater.exe with the record; the ticked box is kept");
    ServeVersionFile("b.ini", std::string("[main]\nversion=v9.9\ndownloadurl=http://127.0.0.1:9/p.zip\n"
                                          "installerurl=https://127.0.0.1:9/setup-b.exe\nsha256=") + kSha256 +
                         "\nsignature = " + kSignature + "\n");
    CMainWindowDriver app;
    ASSERT_TRUE(app.StartProgram(program));
    HWND dialog = WaitForDialog(app, kDialogTitle);
    ASSERT_NE(dialog, nullptr);
    SendMessageW(GetDlgItem(dialog, 2525), BM_SETCHECK, BST_CHECKED, 0);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    const std::string expected =
        " \"{#DownloadUrl#:#http://127.0.0.1:9/p.zip#,#InstallerUrl#:#https://127.0.0.1:9/setup-b.exe#,"
        "#AppMainWndClassName#:#Tavrel Video#,#AppUserMsg#:#UWM_JoinDownload_IsMe#,#AppFileName#:#Corvane.exe#,"
        "#CurLangName#:#English#,#TempFilePath#:#" + JsonEscaped(AppDataFolder()) +
        "#,#CurrentVersion#:#v2.2#,#LatestVersion#:#v9.9#,#PackageSha256#:#" + kSha256 +
        "#,#PackageSignature#:#" + kSignature + "#}\"";
    // The shell's start puts the program's own quoted path before the record.
    const std::string launched = WaitForLaunch("#DownloadUrl#");
    EXPECT_EQ(launched, "\"" + WideToUtf8(updater) + "\" " + expected);
    EXPECT_EQ(app.Close(), 2);
    EXPECT_EQ(GetNumber(kConfigKey, L"SysFlags") & 0x2, 0x2u);
    EXPECT_EQ(GetRegistryText(HKEY_CURRENT_USER, kConfigKey, L"DismissedVersion"), L"v9.9");
  }
  {
    SCOPED_TRACE("the dismissed version is not offered again");
    ServeVersionFile("c.ini", "[main]\nversion=v9.9\n");
    CMainWindowDriver app;
    ASSERT_TRUE(app.StartProgram(program));
    ExpectNoDialog(app, "c.ini");
    EXPECT_EQ(app.Close(), 2);
  }
  {
    SCOPED_TRACE("a newer one is (compared as numbers: v9.10 is above v9.9), shown in the selected skin");
    ServeVersionFile("d.ini", "[main]\nversion=v9.10\n");
    InstallShippedSkin();
    SetRegistryText(HKEY_CURRENT_USER, kConfigKey, L"SkinName", L"Slate");
    CMainWindowDriver app;
    ASSERT_TRUE(app.StartProgram(program));
    HWND dialog = WaitForDialog(app, kDialogTitle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 2520)), L"v9.10");
    ExpectShippedSkin(dialog);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    WaitFor([&] { return !IsWindow(dialog); });
    EXPECT_EQ(app.Close(), 2);
  }
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kConfigKey, L"SkinName");
  {
    SCOPED_TRACE("an error page instead of a version file shows nothing");
    SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, L"UpdateURL", Url("missing.ini"));
    DeleteFileW((AppDataFolder() + L"corvanever.ini").c_str());
    CMainWindowDriver app;
    ASSERT_TRUE(app.StartProgram(program));
    ExpectNoDialog(app, "missing.ini");
    EXPECT_EQ(app.Close(), 2);
  }
  {
    SCOPED_TRACE("below the minimum version: the tip page replaces the program; closing it ends the program");
    ServeVersionFile("e.ini", "[main]\nlastversion=v3.0\nversion=v9.9\ntipurl=http://127.0.0.1:9/tip.php\n");
    CMainWindowDriver app;
    // The main window may be hidden again before the driver sees it: the
    // start is judged by the tip window.
    ASSERT_TRUE(app.StartProgram(program, L"", /*waitForWindow=*/false));
    EXPECT_NE(WaitForLaunch("tip.php?lang=English"), "");
    HWND tip = nullptr;
    ASSERT_TRUE(WaitFor([&] {
      tip = FindTopWindow(app.ProcessId(), L"#32770");
      return tip != nullptr;
    }));
    EXPECT_EQ(TextOf(tip), L"Corvane(tavrel) - Corvane");
    HWND main = FindWindowW(L"Tavrel Video", nullptr);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindowVisible(main));
    PostMessageW(tip, WM_CLOSE, 0, 0);
    EXPECT_EQ(app.WaitForExit(20000), 2);
    // The window's position is kept for the next one.
    DWORD bytes = 0;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"SBPlacement", RRF_RT_REG_BINARY, nullptr, nullptr, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(bytes, 44u);
  }
}

}  // namespace
}  // namespace corvane
