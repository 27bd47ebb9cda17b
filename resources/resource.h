// Identifiers of the program's resources and of the controls of its dialogs,
// one block per dialog. Kinds: IDI_ icon, IDD_ dialog, IDR_ menu, ID_ menu
// command, IDC_ control. Read by the resource script and by the code.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Resources
#define IDI_QUORVEL 101
#define IDD_MAIN 102
#define IDR_MAIN_MENU 103
#define IDD_ABOUT 105
#define IDD_PREFERENCES 106
#define IDD_PLACE_ODDS 107
#define IDD_WORKING 108

// Menu commands
#define ID_OPTIONS_EXIT 40001
#define ID_HELP_ABOUT 40002
#define ID_OPTIONS_PREFERENCES 40003
#define ID_OPTIONS_PLACE_ODDS 40004
#define ID_OPTIONS_SHOW_WORKING 40005
#define ID_HELP_CONTENTS 40006

// Main dialog: the top of the slip
#define IDC_SELECTIONS_1 1000
#define IDC_SELECTIONS_2 1001
#define IDC_SELECTIONS_3 1002
#define IDC_SELECTIONS_4 1003
#define IDC_TAX_PAID 1004
#define IDC_STAKE 1005
#define IDC_SELECTIONS_5 1006
#define IDC_SELECTIONS_6 1007
#define IDC_BET 1008
#define IDC_EACH_WAY 1009
#define IDC_TOTAL_STAKE 1010
#define IDC_CLEAR 1011
#define IDC_SETTLE 1012
#define IDC_RETURNS 1013

// Main dialog: the six selection rows
#define IDC_RESULT_1 1016
#define IDC_PRICE_1 1018
#define IDC_ODDS_ON_1 1019
#define IDC_RULE4_1 1020
#define IDC_PLACE_TERMS_1 1021
#define IDC_RESULT_2 1017
#define IDC_PRICE_2 1022
#define IDC_ODDS_ON_2 1023
#define IDC_RULE4_2 1024
#define IDC_PLACE_TERMS_2 1025
#define IDC_RESULT_3 1026
#define IDC_PRICE_3 1027
#define IDC_ODDS_ON_3 1030
#define IDC_RULE4_3 1028
#define IDC_PLACE_TERMS_3 1029
#define IDC_RESULT_4 1031
#define IDC_PRICE_4 1032
#define IDC_ODDS_ON_4 1035
#define IDC_RULE4_4 1033
#define IDC_PLACE_TERMS_4 1034
#define IDC_RESULT_5 1036
#define IDC_PRICE_5 1037
#define IDC_ODDS_ON_5 1040
#define IDC_RULE4_5 1038
#define IDC_PLACE_TERMS_5 1039
#define IDC_RESULT_6 1041
#define IDC_PRICE_6 1042
#define IDC_ODDS_ON_6 1045
#define IDC_RULE4_6 1043
#define IDC_PLACE_TERMS_6 1044

// About box
#define IDC_ABOUT_WEB_PAGE 1023
#define IDC_ABOUT_EMAIL 1024

// Preferences: the seven edit boxes, their up-down controls and "Keep"
#define IDC_TAX_RATE 1023
#define IDC_L15_CONSOLATION 1024
#define IDC_L15_BONUS 1025
#define IDC_L31_CONSOLATION 1027
#define IDC_L31_BONUS 1028
#define IDC_L63_CONSOLATION 1030
#define IDC_L63_BONUS 1031
#define IDC_TAX_RATE_SPIN 20480
#define IDC_L15_CONSOLATION_SPIN 20481
#define IDC_L15_BONUS_SPIN 20482
#define IDC_L31_CONSOLATION_SPIN 20483
#define IDC_L31_BONUS_SPIN 20484
#define IDC_L63_CONSOLATION_SPIN 20485
#define IDC_L63_BONUS_SPIN 20486
#define IDC_KEEP_PREFERENCES 1032

// Place Odds Calculator
#define IDC_PLACE_ODDS_CLOSE 8
#define IDC_PLACE_ODDS_TELL_ME 1020
#define IDC_PLACE_ODDS_RUNNERS 1022
#define IDC_PLACE_ODDS_TERMS 1023

// Working: the last settled slip line by line ("Close" is IDCANCEL, so Esc closes it)
#define IDC_WORKING_SLIP 1100
#define IDC_WORKING_LEGS 1101
#define IDC_WORKING_LINES 1102
#define IDC_WORKING_NOTE 1103
#define IDC_WORKING_TOTALS 1104
#define IDC_WORKING_COPY 1105
