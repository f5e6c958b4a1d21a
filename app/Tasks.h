#pragma once

// The long tasks of the program, entered only through RunTask.
enum TaskKind : int {
    kBuildMainControls = 1,
    kPlayCurrentSong = 2,
};

// 1 builds the main window's controls, 2 plays the current song; any other
// value does nothing.
void RunTask(int kind);

// Starts the one worker thread, which runs RunTask(1) and ends.
void StartWorkerThread();
