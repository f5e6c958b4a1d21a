#include "app/PlaybackTimer.h"

#include "app/Globals.h"
#include "app/SongPlayback.h"
#include "lyrics/LyricParser.h"

#include <cstdlib>
#include <string>

namespace {

constexpr double kPercent = 100.0;
constexpr float kEndThreshold = 99.7f;
constexpr float kTolerance = 0.0000001f;
// Modes of BASS_StreamGetFilePosition: bytes downloaded, file size.
constexpr DWORD kDownloaded = 5;
constexpr DWORD kFileSize = 2;

// The number before the first ":" and the one after the last.
void SplitTimeText(const std::string& text, int& minutes, int& seconds) {
    const size_t first = text.find(':');
    const size_t last = text.rfind(':');
    minutes = first == std::string::npos ? 0 : std::atoi(text.substr(0, first).c_str());
    seconds = last == std::string::npos ? 0 : std::atoi(text.substr(last + 1).c_str());
}

void ShowProgress(Globals& g) {
    const playback::AudioPlayer& player = g.audioPlayer;
    const uint32_t stream = g.currentStream;
    const double elapsed = player.BytesToSeconds(stream, player.GetPosition(stream));
    const std::string elapsedText = player.SecondsToText(static_cast<int32_t>(elapsed));
    g.timeLabel.SetText(elapsedText + "/" + g.totalTimeText);
    g.progressSlider.Value(
        static_cast<float>(static_cast<double>(player.GetPosition(stream)) * kPercent /
                           static_cast<double>(player.GetLength(stream))));
    g.progressSlider.BufferValue(static_cast<float>(
        static_cast<double>(player.GetFilePosition(stream, kDownloaded)) * kPercent /
        static_cast<double>(player.GetFilePosition(stream, kFileSize))));
    int minutes = 0;
    int seconds = 0;
    SplitTimeText(elapsedText, minutes, seconds);
    const int line = FindLyricLine(g.lyricSheet, minutes, seconds);
    if (line != 0) {
        g.lyricLabel.SetText(g.lyricSheet.lines[static_cast<size_t>(line - 1)].text);
    }
}

void AdvanceToNextSong(Globals& g) {
    g.songNameLabel.SetText("");
    g.artistLabel.SetText("");
    g.timeLabel.SetText("");
    g.progressSlider.Value(0.0f);
    g.progressSlider.BufferValue(0.0f);
    g.audioPlayer.Stop(g.currentStream);
    g.audioPlayer.StreamFree(g.currentStream);
    PlayNextSong();
}

} // namespace

void OnTimerTick() {
    Globals& g = G();
    if (g.audioPlayer.IsActive(g.currentStream) == playback::kPlaying) {
        ShowProgress(g);
    }
    if (g.audioPlayer.IsActive(g.currentStream) == playback::kStopped &&
        g.progressSlider.Value() - kEndThreshold > kTolerance) {
        AdvanceToNextSong(g);
    }
}
