// The browser host in this process: a test window with a placeholder
// control, the real browser control (whatever this system makes of it), and
// the event decoding fed with the shapes the control sends.
#include <windows.h>
#include <exdispid.h>

#include <gtest/gtest.h>

#include "tests/PumpMessages_win.h"

#include <string>
#include <vector>

#include "online/BrowserEventDispatch.h"
#include "online/BrowserHost.h"
#include "base/F3DLogHTML.h"
#include "online/HideIEDlgBase.h"

#include <thread>

using namespace corvane;

namespace {

constexpr int kPanelId = 153;


std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

RECT RectInParent(HWND child) {
  RECT r = {};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// A top-level window with a static placeholder 153, as a dialog resource
// would have it.
class BrowserHostTest : public testing::Test {
 protected:
  // Once for the suite: taking OLE down costs seconds under Wine.
  static void SetUpTestSuite() { OleInitialize(nullptr); }
  static void TearDownTestSuite() { OleUninitialize(); }

  void SetUp() override {
    // Not shown: showing a top-level window costs seconds under Xvfb without
    // a window manager. The children's own WS_VISIBLE is what is checked.
    m_window = CreateWindowExW(0, L"STATIC", L"host test", WS_OVERLAPPEDWINDOW, 10, 10, 500, 400, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(m_window, nullptr);
    m_placeholder = MakePlaceholder(kPanelId, true);
  }
  void TearDown() override {
    if (IsWindow(m_window)) DestroyWindow(m_window);
    test::PumpMessagesFor(20);
  }
  HWND MakePlaceholder(int id, bool visible) {
    return CreateWindowExW(0, L"STATIC", L"", WS_CHILD | (visible ? WS_VISIBLE : 0), 12, 230, 400, 105, m_window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  }

  HWND m_window = nullptr;
  HWND m_placeholder = nullptr;
};

struct RecordingEvents : IBrowserEvents {
  std::vector<std::wstring> calls;
  bool cancelNext = false;
  std::string lastPost;
  long lastStatus = 0;
  void BrowserBeforeNavigate(const std::wstring& url, const std::string& postData, bool& cancel) override {
    calls.push_back(L"before " + url);
    lastPost = postData;
    if (cancelNext) cancel = true;
  }
  void BrowserNavigateError(const std::wstring& url, long statusCode) override {
    calls.push_back(L"error " + url);
    lastStatus = statusCode;
  }
  void BrowserDocumentComplete(const std::wstring& url) override { calls.push_back(L"complete " + url); }
  void BrowserTitleChange(const std::wstring& title) override { calls.push_back(L"title " + title); }
};

TEST_F(BrowserHostTest, PanelTakesThePlaceholdersPlaceIdAndVisibility) {
  const RECT expected = RectInParent(m_placeholder);
  RecordingEvents events;
  CBrowserHost host;
  const bool created = host.Create(m_window, kPanelId, &events);
  // Under Wine without its engine the control is still made (pages just
  // never load); on Windows it is made too. Either way the panel is there.
  EXPECT_TRUE(created);
  EXPECT_EQ(created, host.HasControl());
  HWND panel = GetDlgItem(m_window, kPanelId);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel, host.Window());
  EXPECT_FALSE(IsWindow(m_placeholder));
  EXPECT_EQ(ClassOf(panel), L"CorvaneBrowserPanel");
  const RECT actual = RectInParent(panel);
  EXPECT_TRUE(EqualRect(&expected, &actual) != FALSE);
  EXPECT_NE(GetWindowLongPtrW(panel, GWL_STYLE) & WS_VISIBLE, 0);
  std::printf("[ info ] control: %d, events connected: %d, ready state: %d, engine: %d\n", host.HasControl(),
              host.EventsConnected(), host.ReadyState(), CBrowserHost::EngineAvailable());
}

TEST_F(BrowserHostTest, HiddenPlaceholderGivesHiddenPanel) {
  DestroyWindow(m_placeholder);
  m_placeholder = MakePlaceholder(172, false);
  CBrowserHost host;
  host.Create(m_window, 172, nullptr);
  HWND panel = GetDlgItem(m_window, 172);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(GetWindowLongPtrW(panel, GWL_STYLE) & WS_VISIBLE, 0);
}

TEST_F(BrowserHostTest, NoPlaceholderMeansNoBrowserAndNoCrash) {
  CBrowserHost host;
  EXPECT_FALSE(host.Create(m_window, 999, nullptr));
  EXPECT_FALSE(host.HasControl());
  EXPECT_EQ(host.Window(), nullptr);
  EXPECT_EQ(host.ReadyState(), 0);
  EXPECT_FALSE(host.Navigate(L"about:blank"));
  host.GoBack();
  host.GoForward();
  host.Stop();
  host.Refresh();
  EXPECT_TRUE(host.Title().empty());
  EXPECT_NE(GetDlgItem(m_window, kPanelId), nullptr);  // the other control is untouched
}

TEST_F(BrowserHostTest, NavigateReturnsPromptlyAndReadyStateStaysInRange) {
  RecordingEvents events;
  CBrowserHost host;
  ASSERT_TRUE(host.Create(m_window, kPanelId, &events));
  const DWORD start = GetTickCount();
  EXPECT_TRUE(host.Navigate(L"about:blank"));
  EXPECT_TRUE(host.Navigate(L"http://127.0.0.1:9/form", "s=cat&type=video"));
  EXPECT_LT(GetTickCount() - start, 3000u);
  test::PumpMessagesFor(300);
  const int state = host.ReadyState();
  EXPECT_GE(state, 0);
  EXPECT_LE(state, 4);
  host.Stop();
  host.Refresh();
  host.GoBack();     // no history: must not fail loudly
  host.GoForward();
  std::printf("[ info ] after navigating: ready state %d, %zu events\n", state, events.calls.size());
  for (const std::wstring& call : events.calls) std::printf("[ info ]   %ls\n", call.c_str());
}

// Keys go to a page only when they are aimed inside its panel, and a panel
// whose host is gone takes none (no dangling host behind the window).
TEST_F(BrowserHostTest, KeysAreOfferedOnlyToThePageOfTheirOwnPanel) {
  HWND outside = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 12, 10, 100, 20, m_window, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(outside, nullptr);
  RecordingEvents events;
  CBrowserHost host;
  ASSERT_TRUE(host.Create(m_window, kPanelId, &events));
  HWND panel = host.Window();
  HWND inside = GetWindow(panel, GW_CHILD);  // the control's own window, when it has one
  const auto message = [](HWND window, UINT id) {
    MSG made = {};
    made.hwnd = window;
    made.message = id;
    made.wParam = id == WM_KEYDOWN ? VK_TAB : 0;
    return made;
  };
  MSG key = message(outside, WM_KEYDOWN);
  EXPECT_FALSE(CBrowserHost::TranslatePageAccelerator(key)) << "a key for a window outside every panel";
  MSG click = message(panel, WM_LBUTTONDOWN);
  EXPECT_FALSE(CBrowserHost::TranslatePageAccelerator(click)) << "only keyboard messages are offered";
  MSG toPage = message(inside ? inside : panel, WM_KEYDOWN);
  const bool used = CBrowserHost::TranslatePageAccelerator(toPage);
  // Without its engine (our Wine setup) there is no page to take it.
  if (!CBrowserHost::EngineAvailable()) {
    EXPECT_FALSE(used);
  }
  host.Destroy();
  EXPECT_TRUE(IsWindow(panel));
  MSG afterDestroy = message(panel, WM_KEYDOWN);
  EXPECT_FALSE(CBrowserHost::TranslatePageAccelerator(afterDestroy));
}

TEST_F(BrowserHostTest, EngineAvailabilityMatchesWhetherTheEngineLoads) {
  // Independent look: can this process load the document engine at all?
  HMODULE engine = LoadLibraryW(L"mshtml.dll");
  const bool loadable = engine != nullptr;
  if (engine) FreeLibrary(engine);
  EXPECT_EQ(CBrowserHost::EngineAvailable(), loadable);
  EXPECT_EQ(CBrowserHost::EngineAvailable(), CBrowserHost::EngineAvailable());  // cached, stable
}

TEST_F(BrowserHostTest, DestroyReleasesEverySiteInEitherOrder) {
  {
    CBrowserHost host;
    ASSERT_TRUE(host.Create(m_window, kPanelId, nullptr));
    EXPECT_EQ(CBrowserHost::LiveSiteCount(), 1);
    host.Navigate(L"about:blank");
    test::PumpMessagesFor(100);
    host.Destroy();
    EXPECT_EQ(CBrowserHost::LiveSiteCount(), 0);
    host.Destroy();  // twice is harmless
    EXPECT_NE(GetDlgItem(m_window, kPanelId), nullptr);  // the panel stays as an empty area
  }
  // The window goes first (a dialog closed before its base shut down).
  HWND second = MakePlaceholder(154, true);
  ASSERT_NE(second, nullptr);
  {
    CBrowserHost host;
    ASSERT_TRUE(host.Create(m_window, 154, nullptr));
    DestroyWindow(m_window);
    EXPECT_EQ(host.Window(), nullptr);
  }
  test::PumpMessagesFor(50);
  EXPECT_EQ(CBrowserHost::LiveSiteCount(), 0);
}

TEST(BrowserHostFailure, ControlThatCannotBeMadeLeavesAnEmptyPanelAndALogLine) {
  // A thread without COM: the control cannot be created there, as on a
  // system without one.
  std::vector<std::wstring> logged;
  CF3DLogHTML::Instance().SetDebugOutput([&](const std::wstring& text) { logged.push_back(text); });
  bool created = true, hasControl = true, panelThere = false, windowAlive = false;
  long sites = -1;
  std::thread([&] {
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 5, 5, 200, 100, window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPanelId)), GetModuleHandleW(nullptr), nullptr);
    {
      CBrowserHost host;
      created = host.Create(window, kPanelId, nullptr);
      hasControl = host.HasControl();
      panelThere = GetDlgItem(window, kPanelId) != nullptr;
      windowAlive = IsWindow(window) != FALSE;
      EXPECT_FALSE(host.Navigate(L"about:blank"));
      EXPECT_EQ(host.ReadyState(), 0);
    }
    sites = CBrowserHost::LiveSiteCount();
    DestroyWindow(window);
  }).join();
  CF3DLogHTML::Instance().SetDebugOutput(nullptr);
  EXPECT_FALSE(created);
  EXPECT_FALSE(hasControl);
  EXPECT_TRUE(panelThere);  // an empty area where the panel would be
  EXPECT_TRUE(windowAlive);
  EXPECT_EQ(sites, 0);
  bool mentioned = false;
  for (const std::wstring& line : logged) mentioned |= line.find(L"browser control") != std::wstring::npos;
  EXPECT_TRUE(mentioned) << "the failure is written to the log";
}

// --- event decoding, with the argument shapes the control uses ---

struct BeforeNavigateCall {
  VARIANT args[7];  // reverse order, as in DISPPARAMS
  VARIANT url, flags, frame, post, headers;
  VARIANT_BOOL cancel = VARIANT_FALSE;
  DISPPARAMS params = {};

  BeforeNavigateCall(const wchar_t* address, const std::string& postBytes) {
    for (VARIANT& v : args) VariantInit(&v);
    VariantInit(&url);
    VariantInit(&flags);
    VariantInit(&frame);
    VariantInit(&post);
    VariantInit(&headers);
    url.vt = VT_BSTR;
    url.bstrVal = SysAllocString(address);
    if (!postBytes.empty()) {
      SAFEARRAY* bytes = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(postBytes.size()));
      void* data = nullptr;
      SafeArrayAccessData(bytes, &data);
      memcpy(data, postBytes.data(), postBytes.size());
      SafeArrayUnaccessData(bytes);
      post.vt = VT_ARRAY | VT_UI1;
      post.parray = bytes;
    }
    VARIANT* byRef[] = {&url, &flags, &frame, &post, &headers};
    // Call order: browser, url, flags, frame, post data, headers, cancel.
    args[6].vt = VT_DISPATCH;
    args[6].pdispVal = nullptr;
    for (int i = 0; i < 5; ++i) {
      args[5 - i].vt = VT_BYREF | VT_VARIANT;
      args[5 - i].pvarVal = byRef[i];
    }
    args[0].vt = VT_BYREF | VT_BOOL;
    args[0].pboolVal = &cancel;
    params.rgvarg = args;
    params.cArgs = 7;
  }
  ~BeforeNavigateCall() {
    VariantClear(&url);
    VariantClear(&post);
  }
};

TEST(BrowserEventDispatch, BeforeNavigateCarriesAddressAndPostDataAndWritesCancel) {
  RecordingEvents events;
  events.cancelNext = true;
  const std::string form("s=cat&type=video\0x", 18);  // bytes, not text: a NUL survives
  BeforeNavigateCall call(L"http://search.example/api_joiner.php", form);
  EXPECT_EQ(DispatchBrowserEvent(DISPID_BEFORENAVIGATE2, &call.params, events), S_OK);
  ASSERT_EQ(events.calls.size(), 1u);
  EXPECT_EQ(events.calls[0], L"before http://search.example/api_joiner.php");
  EXPECT_EQ(events.lastPost, form);
  EXPECT_EQ(call.cancel, VARIANT_TRUE);
}

TEST(BrowserEventDispatch, BeforeNavigateWithoutPostDataLeavesCancelAlone) {
  RecordingEvents events;
  BeforeNavigateCall call(L"about:blank", "");
  EXPECT_EQ(DispatchBrowserEvent(DISPID_BEFORENAVIGATE2, &call.params, events), S_OK);
  EXPECT_TRUE(events.lastPost.empty());
  EXPECT_EQ(call.cancel, VARIANT_FALSE);
}

TEST(BrowserEventDispatch, NavigateErrorStatusCodeByReference) {
  RecordingEvents events;
  VARIANT url, frame, status;
  VariantInit(&url);
  VariantInit(&frame);
  VariantInit(&status);
  url.vt = VT_BSTR;
  url.bstrVal = SysAllocString(L"http://down.example/");
  status.vt = VT_I4;
  status.lVal = static_cast<LONG>(0x800C0005);  // INET_E_RESOURCE_NOT_FOUND
  VARIANT_BOOL cancel = VARIANT_FALSE;
  VARIANT args[5];
  for (VARIANT& v : args) VariantInit(&v);
  args[4].vt = VT_DISPATCH;
  args[3].vt = VT_BYREF | VT_VARIANT;
  args[3].pvarVal = &url;
  args[2].vt = VT_BYREF | VT_VARIANT;
  args[2].pvarVal = &frame;
  args[1].vt = VT_BYREF | VT_VARIANT;
  args[1].pvarVal = &status;
  args[0].vt = VT_BYREF | VT_BOOL;
  args[0].pboolVal = &cancel;
  DISPPARAMS params = {args, nullptr, 5, 0};
  EXPECT_EQ(DispatchBrowserEvent(DISPID_NAVIGATEERROR, &params, events), S_OK);
  ASSERT_EQ(events.calls.size(), 1u);
  EXPECT_EQ(events.calls[0], L"error http://down.example/");
  EXPECT_EQ(events.lastStatus, static_cast<long>(0x800C0005));
  VariantClear(&url);
}

TEST(BrowserEventDispatch, TitleAndDocumentComplete) {
  RecordingEvents events;
  VARIANT title;
  VariantInit(&title);
  title.vt = VT_BSTR;
  title.bstrVal = SysAllocString(L"Tavrel \u2013 page");
  DISPPARAMS titleParams = {&title, nullptr, 1, 0};
  EXPECT_EQ(DispatchBrowserEvent(DISPID_TITLECHANGE, &titleParams, events), S_OK);

  VARIANT url;
  VariantInit(&url);
  url.vt = VT_BSTR;
  url.bstrVal = SysAllocString(L"res://x.exe/snap.htm");
  VARIANT args[2];
  VariantInit(&args[1]);
  args[1].vt = VT_DISPATCH;
  args[0].vt = VT_BYREF | VT_VARIANT;
  args[0].pvarVal = &url;
  DISPPARAMS completeParams = {args, nullptr, 2, 0};
  EXPECT_EQ(DispatchBrowserEvent(DISPID_DOCUMENTCOMPLETE, &completeParams, events), S_OK);
  EXPECT_EQ(events.calls, (std::vector<std::wstring>{L"title Tavrel \u2013 page", L"complete res://x.exe/snap.htm"}));
  VariantClear(&title);
  VariantClear(&url);
}

// NewWindow3(new window out, cancel, flags, context address, address), its
// arguments last first as the control passes them.
struct NewWindowCall {
  IDispatch* newWindow = nullptr;
  VARIANT_BOOL cancel = VARIANT_FALSE;
  VARIANT args[5];
  DISPPARAMS params = {args, nullptr, 5, 0};

  NewWindowCall(const wchar_t* address, unsigned long flags) {
    for (VARIANT& v : args) VariantInit(&v);
    args[4].vt = VT_BYREF | VT_DISPATCH;
    args[4].ppdispVal = &newWindow;
    args[3].vt = VT_BYREF | VT_BOOL;
    args[3].pboolVal = &cancel;
    args[2].vt = VT_UI4;
    args[2].ulVal = flags;
    args[1].vt = VT_BSTR;
    args[1].bstrVal = SysAllocString(L"http://www.tavrel.example/api_joiner.php");
    args[0].vt = VT_BSTR;
    args[0].bstrVal = SysAllocString(address);
  }
  ~NewWindowCall() {
    VariantClear(&args[0]);
    VariantClear(&args[1]);
  }
};

// A target="_blank" link never opens a window of the engine's own; a web
// address the user clicked goes to the default browser, and nothing else
// the page names reaches it.
TEST(BrowserEventDispatch, NewWindowIsCancelledAndOnlyAClickedWebAddressOpensOutside) {
  constexpr unsigned long kClick = 0x2 | 0x4;  // NWMF_USERINITED | NWMF_FIRST
  const struct {
    const wchar_t* address;
    unsigned long flags;
    bool opens;
  } cases[] = {
      {L"https://www.tavrel.example/soft.php?type=flv", kClick, true},
      {L"HTTP://www.tavrel.example/a", 0x2, true},
      {L"file:///C:/Windows/System32/calc.exe", kClick, false},
      {L"javascript:window.open('http://x.example/')", kClick, false},
      {L"tavrel:x=open>http://x.example/</element>", kClick, false},
      {L"\\\\server\\share\\setup.exe", kClick, false},
      {L"http://x.example/\" --load-extension=C:\\evil", kClick, false},
      {L"https://ads.example/popup", 0, false},  // opened by the page's script on its own
  };
  std::vector<std::wstring> logged;
  CF3DLogHTML::Instance().SetDebugOutput([&](const std::wstring& text) { logged.push_back(text); });
  std::vector<std::wstring> opened, expected;
  int refused = 0;
  for (const auto& c : cases) {
    RecordingEvents events;
    NewWindowCall call(c.address, c.flags);
    EXPECT_EQ(DispatchBrowserEvent(DISPID_NEWWINDOW3, &call.params, events,
                                   [&](const std::wstring& url) {
                                     opened.push_back(url);
                                     return true;
                                   }),
              S_OK);
    EXPECT_EQ(call.cancel, VARIANT_TRUE) << "the engine would open its own window for " << call.args[0].bstrVal;
    EXPECT_TRUE(events.calls.empty());
    if (c.opens) expected.push_back(c.address);
    refused += !c.opens;
  }
  // An address the browser cannot take is cancelled and written down too.
  NewWindowCall failing(L"https://www.tavrel.example/", kClick);
  RecordingEvents events;
  DispatchBrowserEvent(DISPID_NEWWINDOW3, &failing.params, events, [](const std::wstring&) { return false; });
  CF3DLogHTML::Instance().SetDebugOutput(nullptr);
  EXPECT_EQ(failing.cancel, VARIANT_TRUE);
  EXPECT_EQ(opened, expected);
  size_t newWindowLines = 0;
  for (const std::wstring& line : logged) newWindowLines += line.find(L"Web panel:") != std::wstring::npos;
  EXPECT_EQ(newWindowLines, static_cast<size_t>(refused) + 1);
}

TEST(BrowserEventDispatch, OtherEventsAndMalformedCallsAreRefusedUntouched) {
  RecordingEvents events;
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  EXPECT_EQ(DispatchBrowserEvent(DISPID_PROGRESSCHANGE, &none, events), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(DispatchBrowserEvent(DISPID_BEFORENAVIGATE2, &none, events), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(DispatchBrowserEvent(DISPID_NAVIGATEERROR, nullptr, events), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(DispatchBrowserEvent(DISPID_TITLECHANGE, nullptr, events), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(DispatchBrowserEvent(DISPID_NEWWINDOW3, &none, events), DISP_E_BADPARAMCOUNT);
  EXPECT_TRUE(events.calls.empty());
}

TEST(BrowserEventDispatch, VariantHelpersFollowReferencesAndRejectOtherTypes) {
  VARIANT number;
  VariantInit(&number);
  number.vt = VT_I4;
  number.lVal = 404;
  VARIANT ref;
  ref.vt = VT_BYREF | VT_VARIANT;
  ref.pvarVal = &number;
  EXPECT_EQ(VariantNumber(ref), 404);
  EXPECT_EQ(VariantText(ref), L"");
  EXPECT_EQ(VariantBytes(ref), "");
  VARIANT empty;
  VariantInit(&empty);
  EXPECT_EQ(VariantNumber(empty), 0);
  EXPECT_EQ(VariantText(empty), L"");
}

// --- the dialog base: hooks reached through the template ---

class CHookedDlg : public THideIEDlgBase<CHookedDlg, kPanelId> {
 public:
  std::vector<std::wstring> seen;
  bool Init(HWND window) { return InitBrowserHost(window); }
  void Shutdown() { ShutdownBrowserHost(); }
  CBrowserHost* Host() { return Browser(); }

  void OnBeforeNavigate(const std::wstring& url, const std::string& postData, bool& cancel) {
    seen.push_back(L"before " + url);
    cancel = url.find(L"/cancel") != std::wstring::npos;
  }
  void OnNavigateError(const std::wstring& url, long) { seen.push_back(L"error " + url); }
};

TEST_F(BrowserHostTest, ControlEventsReachTheDialogsHooksAndCancelStopsTheNavigation) {
  CHookedDlg dialog;
  ASSERT_TRUE(dialog.Init(m_window));
  if (!dialog.Host()->EventsConnected()) GTEST_SKIP() << "this system's control offers no events";
  // A failing address: before-navigate, then (if it goes ahead) an error.
  dialog.Host()->Navigate(L"http://127.0.0.1:9/a");
  test::PumpMessagesFor(300);
  ASSERT_FALSE(dialog.seen.empty());
  EXPECT_EQ(dialog.seen.front(), L"before http://127.0.0.1:9/a");
  // An address the hook cancels: seen before, never an error.
  dialog.seen.clear();
  dialog.Host()->Navigate(L"http://127.0.0.1:9/cancel");
  test::PumpMessagesFor(300);
  EXPECT_EQ(dialog.seen, (std::vector<std::wstring>{L"before http://127.0.0.1:9/cancel"}));
  dialog.Shutdown();
  EXPECT_EQ(CBrowserHost::LiveSiteCount(), 0);
}

TEST_F(BrowserHostTest, DialogBaseMakesAndDropsTheHost) {
  CHookedDlg dialog;
  EXPECT_EQ(dialog.Host(), nullptr);
  EXPECT_TRUE(dialog.Init(m_window));
  ASSERT_NE(dialog.Host(), nullptr);
  EXPECT_EQ(dialog.Host()->Window(), GetDlgItem(m_window, kPanelId));
  dialog.Shutdown();
  EXPECT_EQ(dialog.Host(), nullptr);
  EXPECT_EQ(CBrowserHost::LiveSiteCount(), 0);
}

TEST_F(BrowserHostTest, DialogBaseWithoutPlaceholderKeepsWorking) {
  DestroyWindow(m_placeholder);
  CHookedDlg dialog;
  EXPECT_FALSE(dialog.Init(m_window));
  EXPECT_EQ(dialog.Host(), nullptr);
}

}  // namespace
