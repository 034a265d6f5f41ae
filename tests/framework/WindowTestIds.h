// Ids of the window tests' own dialog templates (WindowTest.rc).
#pragma once

#define IDD_DATA 200
#define IDD_CONTROLS 201
#define IDD_PLAIN 202

#define IDC_LABEL 1015
#define IDC_NAME 1010
#define IDC_COUNT 1011
#define IDC_CHECK_SOURCE 1020
#define IDC_CHECK_ENOUGH 1021
#define IDC_RADIO_TABLE 1030
#define IDC_RADIO_SO 1031
#define IDC_RADIO_ABILITY 1032
#define IDC_LIST 1040
#define IDC_PROGRESS 1053

#define IDC_LISTVIEW 1100
#define IDC_TREE 1101
#define IDC_TAB 1102
#define IDC_SPIN_EDIT 1103
#define IDC_SPIN 1104
#define IDC_SCROLL 1105
#define IDC_INFO_ICON 1106
#define IDC_ABORT 1017
