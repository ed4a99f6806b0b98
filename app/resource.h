// Resource identifiers of the joiner (shared by Corvane.rc and the code).
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC -1
#endif
#define IDD_MAINDLG 129
#define IDC_FILE_LIST 1011
#define IDC_MOVE_UP 1031
#define IDC_MOVE_DOWN 1032
#define IDC_PLAY 223
#define IDC_ADD 1038
#define IDC_REMOVE 1034
#define IDC_PROPERTY 2011
#define IDC_FAST_JOIN 10351
#define IDC_JOIN 1035
#define IDC_CANCEL_JOIN 1037
#define IDC_ABOUT 1036
#define IDC_VIDEO_DOWNLOAD 2023
#define IDC_LANGUAGE 1018
#define IDC_HOME_LINK 1039
#define IDC_PROGRESS 148
#define IDC_WEB_PANEL 153
