// Ids of the test resource script, by kind: IDI_ icon, IDR_ menu, ID_ menu
// command, IDD_ dialog, IDC_ control.
#pragma once

// Controls no code addresses.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDI_TEST 201
#define IDR_TEST_MENU 202

#define ID_FILE_ASK 41001
#define ID_FILE_EXIT 41002
#define ID_HELP_ABOUT 41003

// One control of each kind.
#define IDD_CONTROLS 220
#define IDC_APPLY 2201
#define IDC_RED 2202
#define IDC_GREEN 2203
#define IDC_BLUE 2204
#define IDC_TICK 2205
#define IDC_NAME 2206
#define IDC_SHOWN 2207
#define IDC_LIST 2209
#define IDC_NUMBER 2211
#define IDC_CHOICE 2212

// A dialog without a default push button and with a disabled Cancel.
#define IDD_PLAIN 230
#define IDC_PLAIN_EDIT 2301

// Controls named by the labels beside, above and around them.
#define IDD_NAMES 250
#define IDC_NAMES_ONE 2501
#define IDC_NAMES_TWO 2502
#define IDC_NAMES_RESULT 2503
#define IDC_NAMES_PRICE 2504
#define IDC_NAMES_STAKE 2505
#define IDC_NAMES_RETURNS 2506
#define IDC_NAMES_ANSWER 2507
#define IDC_NAMES_ARROWS 2508

// A window of a class of its own, for the message tests.
#define IDD_TRACE 240
#define IDC_TRACE_EDIT 2401

// Texts of the string table, with the bytes the build must carry through
// unchanged: a pound sign before a digit, a backslash, a tab.
#define IDS_POUNDS 2301
#define IDS_PATH 2302

// A report-view list with an OK button.
#define IDD_LIST_VIEW 260
#define IDC_LIST_VIEW 2601

// A dialog with a sizing frame.
#define IDD_SIZABLE 270
#define IDC_SIZABLE_LABEL 2701
#define IDC_SIZABLE_EDIT 2702
