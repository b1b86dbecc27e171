// Resource identifiers shared by the .rc file and the program.
#pragma once
#define IDI_APP 1
#define IDI_WATCHING_EVEN 101
#define IDI_WATCHING_ODD 102
#define IDI_NOT_WATCHING 103
// The splash picture.
#define IDB_SPLASH 201
// The About box's two stored buttons (their property records).
#define IDR_ABOUT_BSYSINFO 211
#define IDR_ABOUT_BEXIT 212
// The program's own words, in every language of resources/lang/ (string tables).
#define IDS_MENU_SET_DELAY 1000
#define IDS_MENU_LOG_OFF_NOW 1001
#define IDS_MENU_ABOUT 1002
#define IDS_MENU_EXIT 1003
#define IDS_TRAY_TIP 1004
#define IDS_DELAY_TITLE 1005
#define IDS_DELAY_PROMPT 1006
#define IDS_BUTTON_OK 1007
#define IDS_BUTTON_CANCEL 1008
#define IDS_POLICY_DELAY_ONE 1009
#define IDS_POLICY_DELAY_MANY 1010
#define IDS_WARNING 1011
#define IDS_SYSINFO_UNAVAILABLE 1012
#define IDS_ABOUT_TITLE 1013
#define IDS_ABOUT_VERSION 1014
#define IDS_ABOUT_DESCRIPTION 1015
#define IDS_ABOUT_DISCLAIMER 1016
#define IDS_LINK_CLICK 1017
#define IDS_LINK_VISIT 1018
#define IDS_ACTION_PRESS 1019
#define IDS_ACTION_JUMP 1020
// The range of the program's own words.
#define IDS_FIRST IDS_MENU_SET_DELAY
#define IDS_LAST IDS_ACTION_JUMP
