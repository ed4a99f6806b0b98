#include "base/BasicSysInfo.h"

#include <windows.h>
#include <shlwapi.h>

#include "base/UniqueHandle.h"

namespace corvane {
namespace {

// GetVersionEx reports what the manifest allows; RtlGetVersion tells the
// truth. Looked up at run time because it is not in the import libraries'
// public headers.
void ReadSystemVersion(SVersionPair& version, unsigned& build) {
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof info;
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  auto rtlGetVersion = ntdll ? reinterpret_cast<RtlGetVersionFn>(
                                   reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                             : nullptr;
  if (!rtlGetVersion || rtlGetVersion(&info) != 0) return;
  version = {info.dwMajorVersion, info.dwMinorVersion};
  build = info.dwBuildNumber;
}

SVersionPair ReadCommonControlsVersion() {
  SVersionPair version{4, 0};
  const CLibraryHandle comctl(LoadLibraryW(L"comctl32.dll"));
  if (!comctl) return version;
  auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
      reinterpret_cast<void*>(GetProcAddress(comctl.Get(), "DllGetVersion")));
  DLLVERSIONINFO info = {};
  info.cbSize = sizeof info;
  if (getVersion && SUCCEEDED(getVersion(&info))) version = {info.dwMajorVersion, info.dwMinorVersion};
  return version;
}

}  // namespace

CBasicSysInfo::CBasicSysInfo() {
  ReadSystemVersion(m_system, m_build);
  m_commonControls = ReadCommonControlsVersion();
}

}  // namespace corvane
