// Ids of the Qt view's test resource script: IDI_ icon, IDR_ menu, ID_ menu
// command, IDD_ dialog, IDC_ control.
#pragma once

#define IDI_QT_TEST 301
#define IDR_QT_MENU 302
#define ID_FILE_OPEN 42001
#define ID_FILE_EXIT 42002
#define ID_HELP_INFO 42003

// A window of an application class, with the class's menu and icon.
#define IDD_QT_APPLICATION 310
#define IDC_APP_RUN 3101
#define IDC_APP_OUT 3102

// One control of each kind.
#define IDD_QT_CONTROLS 320
#define IDC_APPLY 3201
#define IDC_COLOURS 3202
#define IDC_RED 3203
#define IDC_GREEN 3204
#define IDC_BLUE 3205
#define IDC_TICK 3206
#define IDC_NAME_LABEL 3207
#define IDC_NAME 3208
#define IDC_SHOWN 3209
#define IDC_CENTRED 3210
#define IDC_LIST 3211
#define IDC_PICTURE 3212
#define IDC_COUNT 3213
#define IDC_COUNT_ARROWS 3214
#define IDC_COUNT_LABEL 3215
#define IDC_LIST_LABEL 3216

// A captionless box, made modal over the application window.
#define IDD_QT_MODAL 330
#define IDC_MODAL_NOTE 3301

// A dialog with a sizing frame.
#define IDD_QT_SIZABLE 340
