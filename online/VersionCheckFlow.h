#pragma once
// The user-interface half of the version check (Windows only: include from
// _win.cpp files): what the main window does when the worker reports a
// version file (message 0x8029), and the hand-off to the updater.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "online/NewVersionDlg.h"
#include "online/VersionCheck.h"
#include "online/VersionCheckWorker.h"

namespace corvane {

// Who the updater is to close and restart.
struct SProgramIdentity {
  std::wstring windowClassName;  // "Tavrel Video"
  std::wstring messageName;      // "UWM_JoinDownload_IsMe"
};

// The per-user folder the version file and the update package go to,
// with its trailing backslash ("<user data>\appdata\").
std::wstring UpdateDataFolder();

// The worker for this run, reporting to `mainWindow` with message 0x8029.
// Reads "UpdateURL" and the language now.
std::unique_ptr<CVersionCheckWorker> MakeVersionCheckWorker(HWND mainWindow);

// On message 0x8029: reads the version file and shows the tip page (and
// hides `mainWindow`) or the New Version dialog, or nothing.
void OnVersionFileArrived(HWND mainWindow, const SProgramIdentity& identity);

// What the hand-off asks of the system (tests record it instead).
struct SHandOffActions {
  // Starts `program` with `parameters` after its name; 0 or the system's
  // error code (ERROR_CANCELLED: the user declined the elevation prompt).
  std::function<DWORD(const std::wstring& program, const std::wstring& parameters)> startProgram;
  std::function<void(const std::wstring& installerUrl)> openInstallerPage;
};

// The real ones: the program through the shell (the updater's manifest asks
// for administrator rights, so the shell raises the consent prompt, owned
// by `owner`), the page in the program's own browser window.
SHandOffActions SystemHandOffActions(HWND owner);

// Starts "updater.exe" from the program's folder with the hand-off record;
// `package` holds the digest and the signature the version file gave. A
// declined prompt means "not now": nothing else happens. Any other failure
// opens the installer page.
void HandOffToUpdater(const SNewVersionData& data, const SVersionInfo& package, const SProgramIdentity& identity,
                      const SHandOffActions& actions);

}  // namespace corvane
