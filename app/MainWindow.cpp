#include "app/MainWindow.h"

#include "app/Globals.h"
#include "app/MakeArgb.h"
#include "app/PlaybackTimer.h"
#include "app/Settings.h"
#include "app/SongPlayback.h"
#include "app/TaskbarCheck.h"
#include "app/Tasks.h"
#include "app/TrayIcon.h"
#include "common/CodePage.h"
#include "skin/SkinInstaller.h"
#include "station/StationClient.h"

namespace {

constexpr ArgbColor kLabelWhite = MakeArgb(0xFFFFFF, 255);
constexpr int kTypeImageButtonCode = 6;

void CreateButton(UiImageButton& button, int x, int y, int size, int firstItem) {
    button.Create(MainWindowHandle(), x, y, size, size, SkinItem(firstItem),
                  SkinItem(firstItem + 1), SkinItem(firstItem + 2));
}

void FetchDefaultPlaylist() {
    std::optional<std::string> channel;
    FetchPlaylist(channel, G().playlist);
}

void OnMainWindowClick(HWND, int controlId, UiControl*, int typeCode) {
    Globals& g = G();
    if (typeCode != kTypeImageButtonCode) {
        return;
    }
    if (controlId == g.playPauseButton.GetId()) {
        const uint32_t state = g.audioPlayer.IsActive(g.currentStream);
        if (state == playback::kPlaying) {
            g.audioPlayer.Pause(g.currentStream);
            ShowPlayPausePicture(kPlayPicture);
        } else if (state == playback::kPaused) {
            g.audioPlayer.Play(g.currentStream, false);
            ShowPlayPausePicture(kPausePicture);
        }
    }
    if (controlId == g.nextButton.GetId()) {
        PlayNextSong();
    }
}

void OnProgressChanged(int value) {
    Globals& g = G();
    const playback::AudioPlayer& player = g.audioPlayer;
    if (player.IsActive(g.currentStream) == playback::kPlaying) {
        const double length = static_cast<double>(player.GetLength(g.currentStream));
        player.SetPosition(g.currentStream, static_cast<uint64_t>(length * value / 100.0));
    }
    if (player.IsActive(g.currentStream) == playback::kPaused) {
        // A paused song resumes where it stopped; the next tick moves the bar back.
        player.Play(g.currentStream, false);
        ShowPlayPausePicture(kPausePicture);
    }
    if (player.IsActive(g.currentStream) == playback::kStopped &&
        g.progressSlider.Value() - 1.0f > 0.0000001f) {
        g.progressSlider.Value(0.0f);
    }
}

void OnVolumeChanged(int value) {
    Globals& g = G();
    g.audioPlayer.SetVolume(g.currentStream, g.volumeSlider.Value() / g.volumeSlider.BufferValue());
    WriteVolumeSetting(value);
}

LabelOptions SongTextLabel() {
    return LabelOptions{
        .textColor = kLabelWhite, .fontFamily = FromWide(L"宋体"), .fontSize = 13.0f};
}

} // namespace

void OnMainWindowCreated(HWND window) {
    RequireTaskbarList(G().mainTaskbarList);
    InstallSkinPack(G().skinImages);
    G().mainWindowHandle = window;
    // Layered at alpha 220 over black, square frame, no caption elements;
    // dragged by its background but never resized.
    G().mainUiWindow.Attach(window, AttachArgs{.color = 0x000000,
                                               .captionFlags = 0,
                                               .alpha = 220,
                                               .frameStyle = kFrameSquare,
                                               .noResize = true});
    G().mainUiWindow.ShowAnimated(1);
    G().mainUiWindow.SetCloseEffect(6);
    G().mainUiWindow.SetClickHandler(OnMainWindowClick);
    SetTimer(window, kPlaybackTimerId, kPlaybackTimerMs, nullptr);
    // Without an output device this fails, and every stream later comes out 0.
    G().audioPlayer.Init(-1, 44100, 0, window);
    StartWorkerThread();
}

void BuildMainControls() {
    Globals& g = G();
    const HWND window = MainWindowHandle();
    CreateButton(g.playPauseButton, 110, 45, 45, kPlayPicture);
    CreateButton(g.nextButton, 155, 45, 45, 7);
    CreateButton(g.volumeIconButton, 260, 70, 22, 16);

    g.progressSlider.Create(
        window, 115, 95, 210, 7,
        SliderOptions{.barHeight = 7, .bufferColor = MakeArgb(0x808080, 225), .rounded = true});
    g.progressSlider.SetChangeHandler(OnProgressChanged);
    g.volumeSlider.Create(window, 278, 75, 50, 7,
                          SliderOptions{.barHeight = 7,
                                        .value = static_cast<float>(ReadVolumeSetting()),
                                        .bufferValue = 100.0f,
                                        .playedColor1 = MakeArgb(0xFFFFFF, 225),
                                        .playedColor2 = MakeArgb(0xFFFFFF, 225),
                                        .rounded = true});
    g.volumeSlider.SetChangeHandler(OnVolumeChanged);

    g.songNameLabel.Create(window, FromWide(L"歌名"), 120, 10, 200, 15, SongTextLabel());
    g.artistLabel.Create(window, FromWide(L"歌手"), 120, 30, 200, 15, SongTextLabel());
    g.timeLabel.Create(window, "00:00/00:00", 195, 69, 64, 22,
                       LabelOptions{.textColor = kLabelWhite, .fontSize = 11.0f});
    g.lyricLabel.Create(window, FromWide(L"未加载歌词"), 10, 110, 320, 30,
                        LabelOptions{.textColor = MakeArgb(0xECECEC, 225),
                                     .fontFamily = FromWide(L"宋体"),
                                     .fontSize = 15.0f,
                                     .alignment = 1,
                                     .effect = 3});
    g.coverPicture.Create(window, 10, 10, 96, 96, {}, false, false, kBorderSolid);

    ShowTrayIcon(window);
    FetchDefaultPlaylist();
    g.currentSongIndex = 1;
    RunTask(kPlayCurrentSong);
}

HWND MainWindowHandle() {
    return G().mainWindowHandle;
}
