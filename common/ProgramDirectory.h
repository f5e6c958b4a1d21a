#pragma once
// The program directory: the directory of the running executable, without a
// trailing backslash. The program's own files (Config.ini, Resource\Resu.rdb)
// are found by appending fixed tails to it. Kept in UTF-16 so that a
// directory whose name has no code page 936 spelling still works.

#include <string>

std::wstring ProgramDirectory();
