// The browser panels of the real Corvane.exe under this system: the main
// window's panel 153 and the property dialog's banner 172, and the banner
// page with its image in the program's resources.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <regex>
#include <string>

#include "app/VendorAddresses.h"
#include "engine/TempFiles.h"
#include "engine/ToolRunner.h"
#include "tests/app/MainWindowDriver.h"

namespace corvane {
namespace {

using namespace testing_driver;

constexpr wchar_t kPanelClass[] = L"CorvaneBrowserPanel";
constexpr WORD kHtmlResourceType = 23;

RECT RectInParent(HWND child) {
  RECT r = {};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The bytes of an HTML-type resource of a module loaded as data.
std::string HtmlResource(HMODULE module, const std::wstring& name) {
  HRSRC found = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(kHtmlResourceType));
  if (!found) return std::string();
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return std::string();
  return std::string(static_cast<const char*>(data), SizeofResource(module, found));
}

class BrowserPanel : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FileExists(BuildTreePath("app/Corvane.exe"))) << "Corvane.exe not built";
  }
};

TEST_F(BrowserPanel, BannerPageAndItsImageAreInTheProgramsResources) {
  HMODULE exe = LoadLibraryExW(BuildTreePath("app/Corvane.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  const std::string page = HtmlResource(exe, L"SNAP.HTM");
  ASSERT_FALSE(page.empty()) << "no SNAP.HTM of type 23";
  // Resource names are found case-insensitively: the address's "snap.htm" works.
  EXPECT_EQ(HtmlResource(exe, L"snap.htm"), page);

  // Every image the page shows is there too, relative to the page, and is a PNG.
  const std::regex image("<img[^>]*\\ssrc=\"([^\"]+)\"", std::regex::icase);
  int images = 0;
  for (auto it = std::sregex_iterator(page.begin(), page.end(), image); it != std::sregex_iterator(); ++it) {
    const std::string source = (*it)[1];
    EXPECT_EQ(source.find(':'), std::string::npos) << source << " must be relative to the page";
    const std::string bytes = HtmlResource(exe, std::wstring(source.begin(), source.end()));
    ASSERT_GT(bytes.size(), 8u) << source << " missing";
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8)) << source;
    ++images;
  }
  EXPECT_EQ(images, 1);

  // The image links to the vendor's product page, in a new window.
  std::smatch link;
  ASSERT_TRUE(std::regex_search(page, link, std::regex("<a[^>]*\\shref=\"([^\"]+)\"[^>]*>", std::regex::icase)));
  const std::wstring vendor = kVendorWebAddress;
  EXPECT_EQ(link[1].str(), std::string(vendor.begin(), vendor.end()) + "soft.php");
  EXPECT_NE(link[0].str().find("target=\"_blank\""), std::string::npos);
  FreeLibrary(exe);
}

TEST_F(BrowserPanel, MainWindowKeepsRunningWithItsPanelInPlace) {
  CMainWindowDriver app;
  ASSERT_TRUE(app.Start());
  HWND panel = GetDlgItem(app.Window(), 153);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(ClassOf(panel), kPanelClass);
  EXPECT_TRUE(IsWindowVisible(panel));
  // 7, 230, 405, 105 in dialog units: the progress bar (7, 174, 405, 11) has
  // the same left edge and width.
  const RECT bar = RectInParent(GetDlgItem(app.Window(), 148));
  const RECT area = RectInParent(panel);
  EXPECT_EQ(area.left, bar.left);
  EXPECT_EQ(area.right, bar.right);
  EXPECT_GT(area.top, bar.bottom);
  EXPECT_GT(area.bottom - area.top, 8 * (bar.bottom - bar.top));
  // No page can be shown here (no document engine): the built-in banner,
  // drawn by the program, covers the panel.
  HWND banner = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (banner = FindWindowExW(panel, nullptr, L"CorvaneBanner", nullptr)) != nullptr; }));
  RECT covered = {};
  GetClientRect(banner, &covered);
  EXPECT_EQ(covered.right, area.right - area.left);
  EXPECT_EQ(covered.bottom, area.bottom - area.top);
  // On screen: the picture's dark blue at its top left, the page's white
  // beside it (the picture is 320 pixels wide).
  POINT origin = {0, 0};
  ClientToScreen(banner, &origin);
  const auto pixel = [&](int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, origin.x + x, origin.y + y);
    ReleaseDC(nullptr, screen);
    return colour;
  };
  const auto similar = [](COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) < 24 && std::abs(GetGValue(a) - GetGValue(b)) < 24 &&
           std::abs(GetBValue(a) - GetBValue(b)) < 24;
  };
  EXPECT_TRUE(WaitFor([&] { return similar(pixel(2, 2), RGB(0x1d, 0x4f, 0x91)); }, 5s)) << std::hex << pixel(2, 2);
  EXPECT_EQ(pixel(330, 2), RGB(255, 255, 255));
  // The second browser control is there too, taking no room.
  HWND second = GetDlgItem(app.Window(), 154);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(ClassOf(second), kPanelClass);
  RECT secondArea = {};
  GetClientRect(second, &secondArea);
  EXPECT_TRUE(IsRectEmpty(&secondArea));
  EXPECT_TRUE(IsWindow(app.Window()));
  EXPECT_TRUE(IsWindowVisible(app.Window()));
  EXPECT_EQ(app.Close(), 2);
}

// The property dialog, found before it is shown: its own class and title.
HWND FindPropertyDialog(DWORD process) {
  struct SSearch {
    DWORD process;
    HWND found;
  } search{process, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<SSearch*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != s->process || ClassOf(window) != L"#32770" || TextOf(window) != L"Property") return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST_F(BrowserPanel, PropertyDialogOpensWithoutTheTenSecondWaitAndCloses) {
  const std::wstring tool = BuildTreePath("app/ffmpeg.exe");
  ASSERT_TRUE(FileExists(tool)) << "no ffmpeg bridge to make a clip";
  std::wstring folder = MakeUniqueTempName(GetTempFolder(), L"bp");
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring clip = folder + L"\\banner.mp4";
  const auto keepReading = [](TStdStr<char>&, const TStdStr<char>&) { return true; };
  const auto done = [](const TStdStr<char>&) { return true; };
  RunTool(std::wstring(),
          L"\"" + tool + L"\" -f lavfi -i testsrc=size=160x120:rate=25:duration=1 -c:v libx264 -pix_fmt yuv420p -y \"" +
              clip + L"\"",
          keepReading, done);
  ASSERT_TRUE(FileExists(clip));

  CMainWindowDriver app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.AddThroughOpenDialog(clip));
  app.Command(2011);
  // From the moment the dialog exists (still hidden, initialising) until it
  // shows: the banner's navigation and wait.
  HWND property = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (property = FindPropertyDialog(app.ProcessId())) != nullptr; }, 30s));
  const auto created = Clock::now();
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(property) != FALSE; }, 20s));
  const auto initMs =
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - created).count();
  std::printf("[ info ] property dialog initialised in %lld ms\n", static_cast<long long>(initMs));
  EXPECT_LT(initMs, 4000);

  HWND banner = GetDlgItem(property, 172);
  ASSERT_NE(banner, nullptr);
  EXPECT_EQ(ClassOf(banner), kPanelClass);
  EXPECT_FALSE(IsWindowVisible(banner));
  EXPECT_EQ(TextOf(GetDlgItem(property, 224)), clip);

  PostMessageW(property, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(property); }));
  // A second opening works the same (the host was released with the first).
  app.Command(2011);
  ASSERT_TRUE(WaitFor([&] { return (property = FindTopWindow(app.ProcessId(), L"#32770", app.Window())) != nullptr; },
                      30s));
  // As a user would: once it shows. A command that reaches a dialog still
  // being created (before its initialisation) has no dialog object to go to.
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(property) != FALSE; }, 20s));
  PostMessageW(property, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(property); }));
  EXPECT_EQ(app.Close(), 2);
  RemoveFolderTree(folder + L"\\");
}

}  // namespace
}  // namespace corvane
