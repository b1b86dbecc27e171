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
