#pragma once
// Decoding of the browser control's event calls (DWebBrowserEvents2 through
// IDispatch::Invoke; Windows only).
//
// The control passes its arguments in reverse order in DISPPARAMS, most of
// them by reference (VT_BYREF | VT_VARIANT), the post data as a byte array
// inside such a reference, and the cancel flag as a VARIANT_BOOL reference.
#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <string>

#include "online/BrowserHost.h"

namespace corvane {

// Opens a web address outside the program; true when it was handed over.
using TExternalOpener = std::function<bool(const std::wstring& url)>;

// The user's default browser (through the shell).
bool OpenInDefaultBrowser(const std::wstring& url);

// Hands one event to `events`. S_OK when it was one of the events the
// program uses (before-navigate, navigate-error, document-complete, title
// change, new window); DISP_E_MEMBERNOTFOUND for any other;
// DISP_E_BADPARAMCOUNT when the arguments do not have the event's shape.
// Writes the cancel flag back for before-navigate.
//
// A page's request for a new window (a target="_blank" link, window.open)
// is always cancelled: the engine opens no windows of its own. When the
// user asked for it (a click or a key) and the address is a web page (http
// or https), `openExternally` gets it; anything else (file:, javascript:, a
// program's own scheme, a pop-up the page opens by itself) is refused and
// logged, so a page's text never decides which program runs.
HRESULT DispatchBrowserEvent(DISPID id, DISPPARAMS* params, IBrowserEvents& events,
                             const TExternalOpener& openExternally = OpenInDefaultBrowser);

// Whether an event's first argument (the browser object that raised it) is
// `control` itself rather than one of its frames; true when it cannot be told.
bool IsEventOf(const DISPPARAMS* params, IUnknown* control);

// The text of a BSTR argument, following references; empty for anything else.
std::wstring VariantText(const VARIANT& value);
// The bytes of a VT_UI1 array argument, following references; empty for
// anything else (a plain link has no post data).
std::string VariantBytes(const VARIANT& value);
// A number argument (VT_I4 and friends), following references; 0 otherwise.
long VariantNumber(const VARIANT& value);

}  // namespace corvane
