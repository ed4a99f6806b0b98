#include "app/OneInstance2.h"

#include <cstring>

#include "base/TextConvert.h"
#include "base/WinApp.h"
#include "base/WindowFinder.h"

namespace corvane {

COneInstance2::COneInstance2() : m_message(RegisterFinderMessage(kIdentificationMessageName)) {}

bool COneInstance2::ProcessWindowMessage(HWND /*window*/, UINT message, WPARAM /*wParam*/, LPARAM lParam,
                                         LRESULT& result) {
  if (m_message != 0 && message == m_message) {
    result = static_cast<LRESULT>(m_message);
    return true;
  }
  if (message == WM_COPYDATA && OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam))) {
    result = TRUE;
    return true;
  }
  return false;
}

bool COneInstance2::OnCopyData(const COPYDATASTRUCT* data) {
  if (!data || data->dwData != m_dataTag || data->cbData == 0 || !data->lpData) return false;
  const char* bytes = static_cast<const char*>(data->lpData);
  if (bytes[0] == '\0') return true;  // empty text: handled, nothing to pass on
  // Text up to the first zero byte, but never past the bytes actually sent.
  const void* zero = std::memchr(bytes, '\0', data->cbData);
  const size_t length = zero ? static_cast<size_t>(static_cast<const char*>(zero) - bytes) : data->cbData;
  if (CWinApp* app = CWinApp::Instance()) app->OnForwardedCommandLine(AnsiToWide(std::string_view(bytes, length)));
  return true;
}

}  // namespace corvane
