// Numeric IDs of the resources in framora.exe, shared by the resource scripts and the code.
// Plain #defines only: the resource compiler reads this file too.
#pragma once

// Icons (art.rc). The application icon has the lowest ID, so that Explorer and the
// taskbar, which take the first icon group of the executable, show it.
#define IDI_APP 1
#define IDI_ADD_FILES 2
#define IDI_FEEDBACK 3
#define IDI_ABOUT 4
#define IDI_HELP 5
#define IDI_FOLDER 6
#define IDI_FILE_VIDEO 7
#define IDI_EXIT 8
#define IDI_RESET 9
