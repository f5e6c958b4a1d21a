#pragma once

#include <shobjidl.h>

// Creates the shell's taskbar-list object into `taskbarList`. When the shell
// cannot give it, shows the one error message of the program and ends the
// process. No method of the object is ever called.
void RequireTaskbarList(ITaskbarList*& taskbarList);
