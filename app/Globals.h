#pragma once
// The program's process-wide state. It is built once at start, before any
// window exists, and released by the exit clean-up. The start-up worker
// thread and the UI thread share it; the worker only fills it while the
// first song starts, and the timer does nothing until a stream plays.

#include "lyrics/LyricSheet.h"
#include "playback/AudioPlayer.h"
#include "station/SongIdList.h"
#include "ui/UiWindow.h"
#include "ui/controls/UiImageButton.h"
#include "ui/controls/UiLabel.h"
#include "ui/controls/UiPictureBox.h"
#include "ui/controls/UiSlider.h"

#include <windows.h>
#include <shobjidl.h>

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kSkinItemCount = 30;

struct Globals {
    playback::AudioPlayer audioPlayer;
    std::uint32_t currentStream = 0;
    std::string totalTimeText;
    LyricSheet lyricSheet = LyricSheet::Initial();
    int currentSongIndex = 0;
    SongIdList playlist;
    HWND mainWindowHandle = nullptr;
    std::vector<std::string> skinImages = std::vector<std::string>(kSkinItemCount);
    HWND bannerWindowHandle = nullptr;
    // Only their creation is relied on: the shell must offer the object.
    ITaskbarList* bannerTaskbarList = nullptr;
    ITaskbarList* mainTaskbarList = nullptr;
    HANDLE workerThread = nullptr;
    // The framework windows drawn over the two form windows.
    UiWindow mainUiWindow;
    UiWindow bannerUiWindow;
    // The main window's controls; created by BuildMainControls.
    UiImageButton playPauseButton;
    UiImageButton nextButton;
    UiImageButton volumeIconButton;
    UiSlider progressSlider;
    UiSlider volumeSlider;
    UiLabel songNameLabel;
    UiLabel artistLabel;
    UiLabel timeLabel;
    UiLabel lyricLabel;
    UiPictureBox coverPicture;
    // The banner window's one control: the new song's name.
    UiLabel bannerLabel;
};

// The one instance; valid from start-up until the exit clean-up.
Globals& G();

// Builds the globals and registers their release at process exit.
void BuildGlobals();

// Skin item 1 to 30; empty when the skin pack failed.
inline const std::string& SkinItem(int number) {
    return G().skinImages.at(static_cast<size_t>(number - 1));
}
