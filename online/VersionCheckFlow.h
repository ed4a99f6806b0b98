#pragma once
// The user-interface half of the version check (Windows only: include from
// _win.cpp files): what the main window does when the worker reports a
// version file (message 0x8029), and the hand-off to the updater.
#include <windows.h>

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

// Starts "updater.exe" from the program's folder with the hand-off record;
// opens the installer page when it cannot be started.
// `package` holds the digest and the signature the version file gave.
void HandOffToUpdater(const SNewVersionData& data, const SVersionInfo& package, const SProgramIdentity& identity);

}  // namespace corvane
