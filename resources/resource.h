// Resource identifiers shared by the .rc file and the program.
#pragma once
#define IDI_APP 1
#define IDI_WATCHING_EVEN 101
#define IDI_WATCHING_ODD 102
#define IDI_NOT_WATCHING 103
// The splash picture.
#define IDB_SPLASH 201
