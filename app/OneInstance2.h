#pragma once
// The joiner's window identity: other programs find the main window by its
// class name and the registered message "UWM_JoinDownload_IsMe", which the
// window answers with the message's own number, and may forward it text
// with WM_COPYDATA tag 100. Every copy of the program answers for its own
// window; a second copy is not refused.
#include <windows.h>

#include <string>

#include "base/Singleton.h"

namespace corvane {

constexpr wchar_t kMainWindowClassName[] = L"Tavrel Video";
constexpr wchar_t kIdentificationMessageName[] = L"UWM_JoinDownload_IsMe";
constexpr ULONG_PTR kForwardedTextTag = 100;

class COneInstance2 : public TSingleton2<COneInstance2, kPriorityOneInstance> {
 public:
  // Registers the identification message and lets it through the
  // user-interface privilege filter where the system has one.
  COneInstance2();

  const std::wstring& WindowClassName() const { return m_className; }
  UINT IdentificationMessage() const { return m_message; }

  // Chained into the main dialog's message handling. Returns true when the
  // message was handled; result is the reply then.
  bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  bool OnCopyData(const COPYDATASTRUCT* data);

  std::wstring m_className = kMainWindowClassName;
  UINT m_message = 0;
  ULONG_PTR m_dataTag = kForwardedTextTag;
};

}  // namespace corvane
