#include "online/BrowserEventDispatch.h"

#include <exdispid.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include "base/F3DLogHTML.h"
#include "base/ShellExecuteVerb.h"
#include "online/WebUrl.h"

namespace corvane {
namespace {

// Follows VT_BYREF | VT_VARIANT chains to the value itself.
const VARIANT& Deref(const VARIANT& value) {
  const VARIANT* current = &value;
  for (int depth = 0; depth < 4 && current->vt == (VT_BYREF | VT_VARIANT) && current->pvarVal; ++depth) {
    current = current->pvarVal;
  }
  return *current;
}

// Argument `index` in call order (DISPPARAMS holds them last first).
const VARIANT& Argument(const DISPPARAMS& params, UINT index) {
  return params.rgvarg[params.cArgs - 1 - index];
}

bool HasArguments(const DISPPARAMS* params, UINT count) {
  return params && params->rgvarg && params->cArgs == count;
}

// The cancel flag of an event, when the control passed one.
VARIANT_BOOL* CancelFlag(const VARIANT& argument) {
  return argument.vt == (VT_BYREF | VT_BOOL) ? argument.pboolVal : nullptr;
}

void OpenNewWindowOutside(const std::wstring& url, long flags, const TExternalOpener& openExternally) {
  CF3DLogHTML& log = CF3DLogHTML::Instance();
  if (!(flags & NWMF_USERINITED)) {
    log.LogFormat(kLogWarn, L"Web panel: did not open a new window the page asked for by itself: %ls", url.c_str());
    return;
  }
  if (!IsAddressForExternalBrowser(url)) {
    log.LogFormat(kLogWarn, L"Web panel: a new window for %ls was refused: not a web address", url.c_str());
    return;
  }
  if (!openExternally || !openExternally(url)) {
    log.LogFormat(kLogWarn, L"Web panel: the browser could not open %ls", url.c_str());
  }
}

}  // namespace

std::wstring VariantText(const VARIANT& value) {
  const VARIANT& v = Deref(value);
  if (v.vt == VT_BSTR && v.bstrVal) return std::wstring(v.bstrVal, SysStringLen(v.bstrVal));
  if (v.vt == (VT_BYREF | VT_BSTR) && v.pbstrVal && *v.pbstrVal) {
    return std::wstring(*v.pbstrVal, SysStringLen(*v.pbstrVal));
  }
  return std::wstring();
}

std::string VariantBytes(const VARIANT& value) {
  const VARIANT& v = Deref(value);
  SAFEARRAY* array = nullptr;
  if (v.vt == (VT_ARRAY | VT_UI1)) array = v.parray;
  if (v.vt == (VT_BYREF | VT_ARRAY | VT_UI1) && v.pparray) array = *v.pparray;
  if (!array || SafeArrayGetDim(array) != 1) return std::string();
  LONG lower = 0;
  LONG upper = -1;
  if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper)) ||
      upper < lower) {
    return std::string();
  }
  void* data = nullptr;
  if (FAILED(SafeArrayAccessData(array, &data)) || !data) return std::string();
  std::string bytes(static_cast<const char*>(data), static_cast<size_t>(upper - lower + 1));
  SafeArrayUnaccessData(array);
  return bytes;
}

long VariantNumber(const VARIANT& value) {
  const VARIANT& v = Deref(value);
  switch (v.vt) {
    case VT_I4:
    case VT_INT:
      return v.lVal;
    case VT_UI4:
    case VT_UINT:
      return static_cast<long>(v.ulVal);
    case VT_I2:
      return v.iVal;
    case VT_BYREF | VT_I4:
      return v.plVal ? *v.plVal : 0;
    default:
      return 0;
  }
}

bool IsEventOf(const DISPPARAMS* params, IUnknown* control) {
  if (!params || !params->rgvarg || params->cArgs == 0 || !control) return true;
  const VARIANT& raiser = Deref(Argument(*params, 0));
  if (raiser.vt != VT_DISPATCH || !raiser.pdispVal) return true;
  // COM identity: both sides asked for IUnknown.
  Microsoft::WRL::ComPtr<IUnknown> raiserIdentity, controlIdentity;
  if (FAILED(raiser.pdispVal->QueryInterface(IID_PPV_ARGS(&raiserIdentity))) ||
      FAILED(control->QueryInterface(IID_PPV_ARGS(&controlIdentity)))) {
    return true;
  }
  return raiserIdentity.Get() == controlIdentity.Get();
}

bool OpenInDefaultBrowser(const std::wstring& url) {
  return ShellExecuteVerb(/*owner=*/nullptr, /*verb=*/nullptr, url, SW_SHOWNORMAL) == 0;
}

HRESULT DispatchBrowserEvent(DISPID id, DISPPARAMS* params, IBrowserEvents& events,
                             const TExternalOpener& openExternally) {
  switch (id) {
    case DISPID_BEFORENAVIGATE2: {
      // (browser, url, flags, target frame, post data, headers, cancel)
      if (!HasArguments(params, 7)) return DISP_E_BADPARAMCOUNT;
      VARIANT_BOOL* cancelFlag = CancelFlag(Argument(*params, 6));
      bool cancel = cancelFlag && *cancelFlag != VARIANT_FALSE;
      events.BrowserBeforeNavigate(VariantText(Argument(*params, 1)), VariantBytes(Argument(*params, 4)), cancel);
      if (cancelFlag) *cancelFlag = cancel ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    }
    case DISPID_NAVIGATEERROR:
      // (browser, url, target frame, status code, cancel)
      if (!HasArguments(params, 5)) return DISP_E_BADPARAMCOUNT;
      events.BrowserNavigateError(VariantText(Argument(*params, 1)), VariantNumber(Argument(*params, 3)));
      return S_OK;
    case DISPID_DOCUMENTCOMPLETE:
      // (browser, url)
      if (!HasArguments(params, 2)) return DISP_E_BADPARAMCOUNT;
      events.BrowserDocumentComplete(VariantText(Argument(*params, 1)));
      return S_OK;
    case DISPID_TITLECHANGE:
      // (text)
      if (!HasArguments(params, 1)) return DISP_E_BADPARAMCOUNT;
      events.BrowserTitleChange(VariantText(Argument(*params, 0)));
      return S_OK;
    case DISPID_NEWWINDOW3: {
      // (new window out, cancel, NWMF_* flags, address of the page asking, address to open)
      if (!HasArguments(params, 5)) return DISP_E_BADPARAMCOUNT;
      if (VARIANT_BOOL* cancelFlag = CancelFlag(Argument(*params, 1))) *cancelFlag = VARIANT_TRUE;
      OpenNewWindowOutside(VariantText(Argument(*params, 4)), VariantNumber(Argument(*params, 2)), openExternally);
      return S_OK;
    }
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

}  // namespace corvane
