#include "online/BrowserHost.h"

#include <exdisp.h>
#include <exdispid.h>
#include <mshtml.h>
#include <mshtmhst.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <new>
#include <utility>

#include "base/F3DLogHTML.h"
#include "base/UniqueHandle.h"
#include "base/WindowClass.h"
#include "online/BrowserEventDispatch.h"
#include "online/ScriptErrorLog.h"

namespace corvane {
namespace {

constexpr wchar_t kPanelClassName[] = L"CorvaneBrowserPanel";
LONG g_liveSites = 0;
// The HTML document engine's class (CLSID_HTMLDocument, which the import
// libraries do not carry).
const CLSID kHtmlDocumentClass = {0x25336920, 0x03f9, 0x11cf, {0x8f, 0xd0, 0x00, 0xaa, 0x00, 0x68, 0x6f, 0x13}};

void LogFailure(const wchar_t* what, HRESULT code) {
  CF3DLogHTML::Instance().LogFormat(kLogErr, L"Web panel: %ls failed (0x%08lx)", what,
                                    static_cast<unsigned long>(code));
}

// The command group of the control's host commands (mingw-w64 declares it
// but no import library defines it).
constexpr GUID kDocHostCommandHandler = {0xf38bc242, 0xb950, 0x11d1, {0x89, 0x18, 0x00, 0xc0, 0x4f, 0xc2, 0xc8, 0x36}};

// One property of the error event, as text; empty when it has none.
std::wstring EventProperty(IDispatch* event, const wchar_t* name) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  if (FAILED(event->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return {};
  DISPPARAMS none = {};
  CVariant value;
  if (FAILED(event->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value.Get(), nullptr,
                           nullptr)))
    return {};
  std::wstring text;
  if (SUCCEEDED(VariantChangeType(value.Get(), value.Get(), 0, VT_BSTR)) && value->bstrVal) text = value->bstrVal;
  return text;
}

// The error's details from the document the control passes along: its
// window's current event carries them.
bool ReadScriptError(VARIANT* in, SScriptError& error) {
  if (!in || in->vt != VT_UNKNOWN || !in->punkVal) return false;
  Microsoft::WRL::ComPtr<IHTMLDocument2> document;
  if (FAILED(in->punkVal->QueryInterface(IID_PPV_ARGS(&document)))) return false;
  Microsoft::WRL::ComPtr<IHTMLWindow2> window;
  if (FAILED(document->get_parentWindow(&window)) || !window) return false;
  Microsoft::WRL::ComPtr<IHTMLEventObj> event;
  if (FAILED(window->get_event(&event)) || !event) return false;
  Microsoft::WRL::ComPtr<IDispatch> properties;
  if (FAILED(event.As(&properties)) || !properties) return false;
  error.line = EventProperty(properties.Get(), L"errorLine");
  error.character = EventProperty(properties.Get(), L"errorCharacter");
  error.code = EventProperty(properties.Get(), L"errorCode");
  error.message = EventProperty(properties.Get(), L"errorMessage");
  error.url = EventProperty(properties.Get(), L"errorUrl");
  return true;
}

}  // namespace

// The control's partner inside the panel: client site, in-place site and
// frame, document host (no context menu, no 3-D border) and event sink in
// one reference-counted object. It forwards events to its host until the
// host lets go of it (Detach), after which late calls from the control are
// answered but go nowhere.
class CBrowserSite final : public IOleClientSite,
                           public IOleInPlaceSite,
                           public IOleInPlaceFrame,
                           public IDocHostUIHandler,
                           public IOleCommandTarget,
                           public IDispatch {
 public:
  CBrowserSite(CBrowserHost* host, HWND panel) : m_host(host), m_panel(panel) { InterlockedIncrement(&g_liveSites); }
  void Detach() { m_host = nullptr; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
      *object = static_cast<IOleClientSite*>(this);
    } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
      *object = static_cast<IOleInPlaceSite*>(this);
    } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
      *object = static_cast<IOleInPlaceFrame*>(this);
    } else if (iid == IID_IDocHostUIHandler) {
      *object = static_cast<IDocHostUIHandler*>(this);
    } else if (iid == IID_IOleCommandTarget) {
      *object = static_cast<IOleCommandTarget*>(this);
    } else if (iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) {
      *object = static_cast<IDispatch*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_references); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = InterlockedDecrement(&m_references);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IOleWindow (through both the in-place site and the frame)
  STDMETHODIMP GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = m_panel;
    return m_panel ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return S_OK; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetContainer(IOleContainer** container) override {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo) override {
    if (!frame || !document || !position || !clip || !frameInfo) return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;  // no separate document window
    GetClientRect(m_panel, position);
    *clip = *position;
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = GetAncestor(m_panel, GA_ROOT);
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow / IOleInPlaceFrame: no tool space, menus or status.
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }  // frame and document host
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  // IOleCommandTarget: the page's script errors come here before the
  // control would show its dialog. Each distinct one is logged once; none
  // is shown, and the page's scripts keep running.
  STDMETHODIMP QueryStatus(const GUID*, ULONG, OLECMD*, OLECMDTEXT*) override { return OLECMDERR_E_UNKNOWNGROUP; }
  STDMETHODIMP Exec(const GUID* group, DWORD command, DWORD, VARIANT* in, VARIANT* out) override {
    if (!group || !IsEqualGUID(*group, kDocHostCommandHandler)) return OLECMDERR_E_UNKNOWNGROUP;
    if (command != OLECMDID_SHOWSCRIPTERROR) return OLECMDERR_E_NOTSUPPORTED;
    SScriptError error;
    if (ReadScriptError(in, error) && ScriptErrorLog().Record(error)) {
      CF3DLogHTML::Instance().Log(kLogWarn, L"Web panel: " + DescribeScriptError(error));
    }
    if (out) {
      VariantClear(out);
      out->vt = VT_BOOL;
      out->boolVal = VARIANT_TRUE;  // go on running the page's scripts
    }
    return S_OK;
  }

  // IDocHostUIHandler
  STDMETHODIMP ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override { return S_OK; }  // none
  STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override {
    if (!info || info->cbSize < sizeof(DOCHOSTUIINFO)) return E_INVALIDARG;
    info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    info->pchHostCss = nullptr;
    info->pchHostNS = nullptr;
    return S_OK;
  }
  STDMETHODIMP ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                      IOleInPlaceUIWindow*) override {
    return S_OK;  // the panel has no menus or toolbars to show
  }
  STDMETHODIMP HideUI() override { return S_OK; }
  STDMETHODIMP UpdateUI() override { return S_OK; }
  STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
  STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return S_FALSE; }
  STDMETHODIMP GetOptionKeyPath(LPOLESTR* key, DWORD) override {
    if (key) *key = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetDropTarget(IDropTarget*, IDropTarget** target) override {
    if (target) *target = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetExternal(IDispatch** external) override {
    if (external) *external = nullptr;
    return S_FALSE;
  }
  STDMETHODIMP TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) override {
    if (translated) *translated = nullptr;
    return S_FALSE;
  }
  STDMETHODIMP FilterDataObject(IDataObject*, IDataObject** filtered) override {
    if (filtered) *filtered = nullptr;
    return S_FALSE;
  }

  // IDispatch: the control's events (and its ambient-property queries,
  // which find nothing here and keep their defaults).
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
    if (!m_host) return DISP_E_MEMBERNOTFOUND;
    // This object stays alive for the call even if a hook closes the panel.
    AddRef();
    HRESULT result = E_UNEXPECTED;
    try {
      if (id == DISPID_BEFORENAVIGATE2) m_host->m_topLevelNavigation = IsEventOf(params, m_host->m_browser.Get());
      result = DispatchBrowserEvent(id, params, *m_host);
    } catch (...) {
      result = E_UNEXPECTED;  // nothing may leave a COM method
    }
    Release();
    return result;
  }

 private:
  ~CBrowserSite() { InterlockedDecrement(&g_liveSites); }

  LONG m_references = 1;
  CBrowserHost* m_host;
  HWND m_panel;
};

CBrowserHost::CBrowserHost() = default;

CBrowserHost::~CBrowserHost() { Destroy(); }

bool CBrowserHost::Create(HWND dialog, int placeholderId, IBrowserEvents* events) {
  Destroy();
  m_events = events;
  if (!CreatePanel(dialog, placeholderId)) return false;
  // Takes the reference the site is made with (mingw-w64's ComPtr::Attach
  // would add one more).
  *m_site.ReleaseAndGetAddressOf() = new (std::nothrow) CBrowserSite(this, m_panel);
  if (!m_site || !CreateControl()) {
    Destroy();
    return false;
  }
  // Without events the control still shows pages; only the hooks stay
  // silent. The window carries on either way.
  ConnectEvents();
  return true;
}

bool CBrowserHost::CreatePanel(HWND dialog, int placeholderId) {
  HWND placeholder = GetDlgItem(dialog, placeholderId);
  if (!placeholder) {
    CF3DLogHTML::Instance().LogFormat(kLogErr, L"Web panel: the dialog has no control %d", placeholderId);
    return false;
  }
  if (!RegisterWindowClassOnce(kPanelClassName, &CBrowserHost::PanelProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1))) {
    LogFailure(L"RegisterClassEx", HRESULT_FROM_WIN32(GetLastError()));
    return false;
  }
  RECT bounds = {};
  GetWindowRect(placeholder, &bounds);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&bounds), 2);
  const bool visible = (GetWindowLongPtrW(placeholder, GWL_STYLE) & WS_VISIBLE) != 0;
  HWND before = GetWindow(placeholder, GW_HWNDPREV);
  m_panel = CreateWindowExW(0, kPanelClassName, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                            bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, dialog,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(placeholderId)), GetModuleHandleW(nullptr),
                            this);
  if (!m_panel) {
    LogFailure(L"CreateWindowEx", HRESULT_FROM_WIN32(GetLastError()));
    return false;  // the placeholder stays as the empty panel
  }
  DestroyWindow(placeholder);
  // Same place in the tab order as the placeholder had.
  SetWindowPos(m_panel, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (visible) ShowWindow(m_panel, SW_SHOWNA);
  return true;
}

bool CBrowserHost::CreateControl() {
  HRESULT result = CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&m_object));
  if (FAILED(result) || !m_object) {
    m_object.Reset();
    LogFailure(L"creating the browser control", result);
    return false;
  }
  result = m_object->SetClientSite(static_cast<IOleClientSite*>(m_site.Get()));
  if (FAILED(result)) {
    LogFailure(L"IOleObject::SetClientSite", result);
    return false;
  }
  RECT area = {};
  GetClientRect(m_panel, &area);
  result = m_object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(m_site.Get()), 0, m_panel,
                            &area);
  if (FAILED(result)) {
    LogFailure(L"IOleObject::DoVerb", result);
    return false;
  }
  result = m_object.As(&m_browser);
  if (FAILED(result) || !m_browser) {
    m_browser.Reset();
    LogFailure(L"IWebBrowser2", result);
    return false;
  }
  // Not a target for other programs' window.open, not a drop target for
  // files (the file list takes drops), no script-error boxes.
  m_browser->put_RegisterAsBrowser(VARIANT_FALSE);
  m_browser->put_RegisterAsDropTarget(VARIANT_FALSE);
  m_browser->put_Silent(VARIANT_TRUE);
  m_browser->put_Visible(VARIANT_TRUE);
  FitControlToPanel();
  return true;
}

bool CBrowserHost::ConnectEvents() {
  Microsoft::WRL::ComPtr<IConnectionPointContainer> container;
  HRESULT result = m_browser.As(&container);
  if (SUCCEEDED(result) && container) {
    result = container->FindConnectionPoint(DIID_DWebBrowserEvents2, m_connection.ReleaseAndGetAddressOf());
    if (SUCCEEDED(result) && m_connection) {
      DWORD cookie = 0;
      result = m_connection->Advise(static_cast<IDispatch*>(m_site.Get()), &cookie);
      if (SUCCEEDED(result) && cookie != 0) {
        m_adviseCookie = cookie;
        return true;
      }
    }
  }
  m_connection.Reset();
  LogFailure(L"connecting the browser events", FAILED(result) ? result : E_FAIL);
  return false;
}

void CBrowserHost::Destroy() {
  if (m_connection) {
    if (m_adviseCookie) m_connection->Unadvise(m_adviseCookie);
    m_adviseCookie = 0;
    m_connection.Reset();
  }
  if (m_site) m_site->Detach();
  m_browser.Reset();
  if (m_object) {
    m_object->Close(OLECLOSE_NOSAVE);
    m_object->SetClientSite(nullptr);
    m_object.Reset();
  }
  // Last: the control may still have called the site while closing.
  m_site.Reset();
  if (m_panel && IsWindow(m_panel)) SetWindowLongPtrW(m_panel, GWLP_USERDATA, 0);
  m_panel = nullptr;
  m_events = nullptr;
  m_title.clear();
}

long CBrowserHost::LiveSiteCount() { return InterlockedCompareExchange(&g_liveSites, 0, 0); }

bool CBrowserHost::HasControl() const { return m_browser != nullptr; }

bool CBrowserHost::Navigate(const std::wstring& url, const std::string& postData) {
  if (!m_browser) return false;
  const CBstr address(SysAllocStringLen(url.data(), static_cast<UINT>(url.size())));
  if (!address) return false;
  CVariant empty, post, headers;
  if (!postData.empty()) {
    CVariant filled;  // owns the array until it is complete
    SAFEARRAY* bytes = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(postData.size()));
    if (bytes) {
      filled->vt = VT_ARRAY | VT_UI1;
      filled->parray = bytes;
    }
    void* data = nullptr;
    if (bytes && SUCCEEDED(SafeArrayAccessData(bytes, &data))) {
      memcpy(data, postData.data(), postData.size());
      SafeArrayUnaccessData(bytes);
      std::swap(*post, *filled);
      headers->vt = VT_BSTR;
      headers->bstrVal = SysAllocString(L"Content-Type: application/x-www-form-urlencoded\r\n");
    }
  }
  const HRESULT result = m_browser->Navigate(address.Get(), empty.Get(), empty.Get(), post.Get(), headers.Get());
  if (FAILED(result)) LogFailure(L"Navigate", result);
  return SUCCEEDED(result);
}

int CBrowserHost::ReadyState() const {
  if (!m_browser) return READYSTATE_UNINITIALIZED;
  READYSTATE state = READYSTATE_UNINITIALIZED;
  if (FAILED(m_browser->get_ReadyState(&state))) return READYSTATE_UNINITIALIZED;
  return static_cast<int>(state);
}

void CBrowserHost::SetBounds(const RECT& clientRect) {
  if (!m_panel) return;
  // The panel's WM_SIZE fits the control to it.
  MoveWindow(m_panel, clientRect.left, clientRect.top, clientRect.right - clientRect.left,
             clientRect.bottom - clientRect.top, TRUE);
}

void CBrowserHost::FitControlToPanel() {
  if (!m_object || !m_panel) return;
  Microsoft::WRL::ComPtr<IOleInPlaceObject> inPlace;
  if (SUCCEEDED(m_object.As(&inPlace)) && inPlace) {
    RECT area = {};
    GetClientRect(m_panel, &area);
    inPlace->SetObjectRects(&area, &area);
  }
}

void CBrowserHost::GoBack() {
  if (m_browser) m_browser->GoBack();
}
void CBrowserHost::GoForward() {
  if (m_browser) m_browser->GoForward();
}
void CBrowserHost::Stop() {
  if (m_browser) m_browser->Stop();
}
void CBrowserHost::Refresh() {
  if (m_browser) m_browser->Refresh();
}

std::wstring CBrowserHost::Title() const { return m_title; }

bool CBrowserHost::EngineAvailable() {
  static const bool available = [] {
    // The document engine behind the control; without it the control can
    // be made and told to navigate, but never shows a page.
    const CComApartment com;
    Microsoft::WRL::ComPtr<IUnknown> document;  // released before COM is left
    const HRESULT result =
        CoCreateInstance(kHtmlDocumentClass, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&document));
    if (FAILED(result)) LogFailure(L"creating the HTML document engine", result);
    return SUCCEEDED(result) && document;
  }();
  return available;
}

bool CBrowserHost::TranslatePageAccelerator(MSG& message) {
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
  // The panel that holds the window, if any: its class names it.
  for (HWND window = message.hwnd; window; window = GetParent(window)) {
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (std::wstring(className) != kPanelClassName) continue;
    auto* host = reinterpret_cast<CBrowserHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return host && host->OfferKeyToPage(message);
  }
  return false;
}

bool CBrowserHost::OfferKeyToPage(MSG& message) {
  if (!m_browser) return false;
  Microsoft::WRL::ComPtr<IOleInPlaceActiveObject> active;
  if (FAILED(m_browser.As(&active)) || !active) return false;
  return active->TranslateAccelerator(&message) == S_OK;
}

LRESULT CALLBACK CBrowserHost::PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_NCCREATE) {
      const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* host = reinterpret_cast<CBrowserHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
      case WM_SIZE:
        if (host) host->FitControlToPanel();
        return 0;
      case WM_SETFOCUS:
        // Focus given to the panel belongs to the page inside it.
        if (HWND inner = GetWindow(window, GW_CHILD)) SetFocus(inner);
        return 0;
      case WM_NCDESTROY:
        // The dialog went first: the host keeps its COM objects until
        // Destroy but has no window any more.
        if (host) host->m_panel = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
      default:
        break;
    }
  } catch (...) {
    // nothing may leave a window procedure
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void CBrowserHost::BrowserBeforeNavigate(const std::wstring& url, const std::string& postData, bool& cancel) {
  if (m_events) m_events->BrowserBeforeNavigate(url, postData, cancel);
}

void CBrowserHost::BrowserNavigateError(const std::wstring& url, long statusCode) {
  if (m_events) m_events->BrowserNavigateError(url, statusCode);
}

void CBrowserHost::BrowserDocumentComplete(const std::wstring& url) {
  if (m_events) m_events->BrowserDocumentComplete(url);
}

void CBrowserHost::BrowserTitleChange(const std::wstring& title) {
  m_title = title;
  if (m_events) m_events->BrowserTitleChange(title);
}

}  // namespace corvane
