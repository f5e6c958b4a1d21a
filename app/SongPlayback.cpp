#include "app/SongPlayback.h"

#include "app/BannerWindow.h"
#include "app/Globals.h"
#include "app/Tasks.h"
#include "app/TrayMenu.h"
#include "common/CodePage.h"
#include "station/StationClient.h"

#include <cmath>
#include <optional>
#include <string>

void ShowPlayPausePicture(int firstItem) {
    G().playPauseButton.SetImages(SkinItem(firstItem), SkinItem(firstItem + 1),
                                  SkinItem(firstItem + 2));
}

void PlayCurrentSong() {
    Globals& g = G();
    const playback::AudioPlayer& player = g.audioPlayer;
    const uint32_t state = player.IsActive(g.currentStream);
    if (state == playback::kPlaying || state == playback::kPaused) {
        g.lyricLabel.SetText(FromWide(L"等待加载歌词"));
        player.Stop(g.currentStream);
        player.StreamFree(g.currentStream);
        if (std::fabs(g.progressSlider.Value()) > 0.0000001f) {
            g.progressSlider.Value(0.0f);
        }
    }
    // A stalled stream is left to finish loading.
    if (player.IsActive(g.currentStream) != playback::kStopped) {
        return;
    }
    // An empty or failed playlist has no current song to play.
    if (g.currentSongIndex < 1 || g.currentSongIndex > static_cast<int>(g.playlist.size())) {
        return;
    }
    SongDetails details;
    FetchSongDetails(g.playlist[static_cast<size_t>(g.currentSongIndex - 1)], details,
                     g.lyricSheet);
    g.currentStream = player.CreateStream({}, {}, details.streamUrl);
    player.Play(g.currentStream);
    if (player.IsActive(g.currentStream) != playback::kPlaying) {
        return;
    }
    g.songNameLabel.SetText(details.songName);
    g.artistLabel.SetText(details.artistName);
    g.coverPicture.SetImage(details.pictureBytes);
    const double seconds =
        player.BytesToSeconds(g.currentStream, player.GetLength(g.currentStream));
    g.totalTimeText = player.SecondsToText(static_cast<int32_t>(seconds));
    g.timeLabel.SetText(g.totalTimeText);
    ShowPlayPausePicture(kPausePicture);
    player.SetVolume(g.currentStream, g.volumeSlider.Value() / g.volumeSlider.BufferValue());
    // Keeps the resident size small between songs.
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
    if (BannerOptionChecked()) {
        ShowSongBanner(details.songName);
    }
}

void PlayNextSong() {
    Globals& g = G();
    if (++g.currentSongIndex > static_cast<int>(g.playlist.size())) {
        std::optional<std::string> channel;
        FetchPlaylist(channel, g.playlist);
        g.currentSongIndex = 1;
    }
    RunTask(kPlayCurrentSong);
}
