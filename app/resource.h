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
// The second browser control, made at initialisation (no resource control).
#define IDC_SECOND_BROWSER 154

// Property dialog
#define IDD_PROPERTY 192
#define IDC_PROP_FILE_NAME 224
#define IDC_PROP_TYPE 193
#define IDC_PROP_DIMENSIONS 194
#define IDC_PROP_BITRATE 196
#define IDC_PROP_FRAME_RATE 197
#define IDC_PROP_DURATION 205
#define IDC_PROP_VIDEO_CODEC 220
#define IDC_PROP_AUDIO_CODEC 221
#define IDC_PROP_AUDIO_BITRATE 222
#define IDC_PROP_PLAY 223
#define IDC_PROP_BANNER 172
#define IDC_PROP_IGNORED 239

// About dialog
#define IDD_ABOUT 100
#define IDC_ABOUT_PRODUCT 100
#define IDC_ABOUT_WEB_LINK 1005
#define IDC_ABOUT_MAIL_LINK 101

// Command icons of the list buttons
#define IDI_CMD_MOVE_UP 301
#define IDI_CMD_MOVE_DOWN 302
#define IDI_CMD_PLAY 303
#define IDI_CMD_ADD 304
#define IDI_CMD_REMOVE 305
#define IDI_CMD_PROPERTY 306

#define IDI_MAINFRAME 128
// The web panel's banner where no page can be shown (drawn natively).
#define IDB_PANEL_BANNER 320
#define IDC_CHOOSE_OUTPUT_FOLDER 1001
#define IDC_OPEN_OUTPUT_FOLDER 1030

// Preview window
#define IDD_FLV 103
#define IDC_FLV_BROWSER 104
