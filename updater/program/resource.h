#pragma once
// Resource identifiers of the updater program.
#define IDD_UPDATER 129
#define IDI_UPDATER 128
#define IDI_FAILURE 202
#define IDR_BANNER 1011
#define IDC_PROGRESS 1000
#define IDC_FILE_SIZE 1007
#define IDC_DOWNLOAD_URL 1008
#define IDC_PAUSE 1009
#define IDC_TITLE 1012
#define IDC_STATUS_BAR 0xE801
