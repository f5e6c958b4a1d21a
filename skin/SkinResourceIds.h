#pragma once
// Resource numbers shared by SkinResources.rc and the code that loads them.
// Plain macros: the resource compiler reads this file too.

// The program icon: the tray icon and the framework's window class icon.
#define IDI_PROGRAM_ICON 129
// The embedded copy of the skin pack, written out when Resu.rdb is missing.
#define IDR_SKIN_PACK 130
