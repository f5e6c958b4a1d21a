#pragma once

// Stops whatever plays, resolves the song at currentSongIndex of the
// playlist and starts streaming it, updating the main window. Every song
// change goes through here (as RunTask(2)).
void PlayCurrentSong();

// Moves to the next song of the playlist, fetching the default channel's
// list anew once it is used up, and plays it.
void PlayNextSong();

// Skin items of the play/pause button's two pictures.
inline constexpr int kPlayPicture = 1;
inline constexpr int kPausePicture = 28;

// Shows the play (1, 2, 3) or pause (28, 29, 30) pictures.
void ShowPlayPausePicture(int firstItem);
