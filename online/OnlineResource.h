// Resource identifiers of the online windows (shared by the program's .rc
// and the code; plain #defines so the resource compiler reads them too).
#pragma once

// The New Version dialog
#define IDD_NEW_VERSION 253
#define IDC_NV_LATEST_VERSION 2520
#define IDC_NV_LATEST_DATE 2521
#define IDC_NV_UPDATE_LINK 2522
#define IDC_NV_CURRENT_VERSION 2523
#define IDC_NV_CURRENT_DATE 2524
#define IDC_NV_NO_REMINDER 2525

// The stand-alone browser window: its toolbar page above the page itself
#define IDD_SIMPLE_BROWSER 254
#define IDC_SB_TOOLBAR 2540
#define IDC_SB_PAGE 2541
