#include "server/DemoLibrary.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <random>
#include <sstream>
#include <thread>
#include <vector>

#include "server/CoverArt.h"
#include "server/DemoCatalog.h"
#include "server/MelodySynth.h"
#include "server/Mp3Encoder.h"
#include "server/SongTags.h"

namespace station_server {

namespace fs = std::filesystem;

namespace {

// Written last; a new text here makes older demo libraries be made anew.
constexpr const char* kMarkerName = ".complete";
constexpr const char* kMarkerText = "lanxi-station demo library 1\n";

// Held while a run checks and makes the library, so that two servers started
// together make it once.
class CacheLock {
public:
    explicit CacheLock(const fs::path& file)
        : fd_(open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
        if (fd_ >= 0) {
            while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    CacheLock(const CacheLock&) = delete;
    CacheLock& operator=(const CacheLock&) = delete;
    ~CacheLock() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }

private:
    int fd_;
};

bool IsComplete(const fs::path& folder) {
    std::ifstream marker(folder / kMarkerName, std::ios::binary);
    std::stringstream text;
    text << marker.rdbuf();
    return marker && text.str() == kMarkerText;
}

bool WriteFile(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

std::string LrcTime(double seconds) {
    auto hundredths = static_cast<long>(seconds * 100 + 0.5);
    char text[16];
    std::snprintf(text, sizeof(text), "[%02ld:%02ld.%02ld]", hundredths / 6000,
                  (hundredths / 100) % 60, hundredths % 100);
    return text;
}

std::string LyricsFor(const DemoSong& song, const RenderedSong& audio) {
    std::string lrc = "[ti:" + song.title + "]\n[ar:" + song.artist + "]\n[al:" + song.album +
                      "]\n[by:lanxi-station]\n";
    for (size_t phrase = 0; phrase < audio.phraseStarts.size(); ++phrase) {
        lrc += LrcTime(audio.phraseStarts[phrase]) +
               song.lyricLines[phrase % song.lyricLines.size()] + "\n";
    }
    lrc += LrcTime(audio.seconds - 1.0) + "\n";
    return lrc;
}

// One song into its channel folder: MP3 with tags, LRC and cover beside it.
std::string MakeSong(const DemoSong& song, const fs::path& root) {
    fs::path folder = root / song.channel;
    RenderedSong audio =
        RenderMelody({song.rootNote, song.beatsPerMinute, song.triangleLead, song.seed});
    std::string mp3 = EncodeMp3(audio.samples, RenderedSong::kSampleRate);
    if (mp3.empty()) {
        return "MP3 encoding failed for " + song.title;
    }
    std::string cover = MakeCover(song.coverType, song.seed);
    if (cover.empty()) {
        return "cover drawing failed for " + song.title;
    }
    fs::path audioFile = folder / (song.FileStem() + ".mp3");
    fs::path coverFile =
        folder / (song.FileStem() + "." + std::string(ImageExtension(song.coverType)));
    if (!WriteFile(audioFile, mp3) ||
        !WriteSongTags(audioFile, {song.title, song.artist, song.album, cover,
                                   std::string(ImageMimeType(song.coverType))}) ||
        !WriteFile(folder / (song.FileStem() + ".lrc"), LyricsFor(song, audio)) ||
        !WriteFile(coverFile, cover)) {
        return "cannot write the files of " + song.title + " in " + folder.string();
    }
    return {};
}

// Songs are independent: workers take them in turn.
std::string Generate(const fs::path& root) {
    std::vector<DemoSong> songs = DemoCatalog();
    std::error_code ec;
    for (const auto& song : songs) {
        fs::create_directories(root / song.channel, ec);
        if (ec) {
            return "cannot create " + (root / song.channel).string() + ": " + ec.message();
        }
    }
    std::atomic<size_t> next = 0;
    std::mutex errorMutex;
    std::string error;
    auto work = [&] {
        for (size_t i = next++; i < songs.size(); i = next++) {
            std::string songError = MakeSong(songs[i], root);
            if (!songError.empty()) {
                std::lock_guard lock(errorMutex);
                error = songError;
            }
        }
    };
    unsigned workers = std::clamp(std::thread::hardware_concurrency(), 2u, 8u);
    std::vector<std::jthread> threads;
    for (unsigned i = 0; i < workers; ++i) {
        threads.emplace_back(work);
    }
    threads.clear();
    if (!error.empty()) {
        return error;
    }
    if (!WriteFile(root / kMarkerName, kMarkerText)) {
        return "cannot write " + (root / kMarkerName).string();
    }
    return {};
}

} // namespace

DemoResult EnsureDemoLibrary(const fs::path& cacheDir) {
    DemoResult result;
    fs::path target = cacheDir / "demo";
    if (IsComplete(target)) {
        result.folder = target;
        return result;
    }
    std::error_code ec;
    fs::create_directories(cacheDir, ec);
    CacheLock lock(cacheDir / ".lock");
    if (IsComplete(target)) {
        result.folder = target;
        return result;
    }
    std::random_device entropy;
    fs::path work = cacheDir / ("demo.tmp-" + std::to_string(getpid()) + "-" +
                                std::to_string(entropy() % 1000000));
    fs::remove_all(work, ec);
    if (!fs::create_directories(work, ec)) {
        result.error = "cannot create " + work.string() + ": " + ec.message();
        return result;
    }
    result.error = Generate(work);
    if (result.error.empty()) {
        if (!IsComplete(target)) {
            fs::remove_all(target, ec);
        }
        fs::rename(work, target, ec);
        // Another run may have finished first; its library serves as well.
        if (ec && !IsComplete(target)) {
            result.error =
                "cannot move the demo library to " + target.string() + ": " + ec.message();
        }
    }
    fs::remove_all(work, ec);
    if (result.error.empty()) {
        result.folder = target;
        result.generated = true;
    }
    return result;
}

} // namespace station_server
