#include <gtest/gtest.h>

#include <gd.h>
#include <mpegfile.h>
#include <tag.h>

#include <cmath>
#include <numbers>
#include <regex>
#include <set>

#include "server/Channels.h"
#include "server/DemoCatalog.h"
#include "server/DemoLibrary.h"
#include "server/MelodySynth.h"
#include "server/Utf8.h"
#include "tests/server/ServerTestSupport.h"

namespace station_server::test {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> FilesWithExtension(const fs::path& folder, const std::string& extension) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == extension) {
            files.push_back(entry.path());
        }
    }
    return files;
}

// Walks the MPEG frames after the ID3v2 tag; the number of whole MPEG-1
// Layer III frames, or -1 at the first broken header.
int CountMp3Frames(const std::string& bytes) {
    size_t at = 0;
    if (bytes.starts_with("ID3") && bytes.size() > 10) {
        auto b = [&](size_t i) {
            return static_cast<size_t>(static_cast<unsigned char>(bytes[i]));
        };
        at = 10 + (b(6) << 21 | b(7) << 14 | b(8) << 7 | b(9));
    }
    static const int kBitrates[] = {0,   32,  40,  48,  56,  64,  80, 96,
                                    112, 128, 160, 192, 224, 256, 320};
    int frames = 0;
    while (at + 4 <= bytes.size()) {
        auto h = [&](size_t i) {
            return static_cast<unsigned char>(bytes[at + i]);
        };
        bool sync = h(0) == 0xFF && (h(1) & 0xFE) == 0xFA; // MPEG-1, Layer III
        int bitrateIndex = h(2) >> 4;
        int rateIndex = (h(2) >> 2) & 3;
        if (!sync || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex != 0) {
            return -1;
        }
        size_t length = 144000 * kBitrates[bitrateIndex] / 44100 + ((h(2) >> 1) & 1);
        at += length;
        ++frames;
    }
    return frames;
}

TEST(DemoLibrary, EveryChannelHasThreeTaggedSongsOf20To40SecondsThatDecode) {
    const fs::path& root = SharedDemoLibrary();
    std::vector<DemoSong> catalog = DemoCatalog();
    for (auto channel : kChannelIds) {
        std::vector<fs::path> songs = FilesWithExtension(root / channel, ".mp3");
        ASSERT_EQ(songs.size(), 3u) << channel;
        for (const auto& file : songs) {
            TagLib::MPEG::File mpeg(file.c_str());
            ASSERT_TRUE(mpeg.isValid() && mpeg.audioProperties()) << file;
            int milliseconds = mpeg.audioProperties()->lengthInMilliseconds();
            EXPECT_GE(milliseconds, 20000) << file;
            EXPECT_LE(milliseconds, 40000) << file;
            EXPECT_EQ(mpeg.audioProperties()->sampleRate(), 44100);
            EXPECT_EQ(mpeg.audioProperties()->channels(), 2);
            EXPECT_EQ(mpeg.audioProperties()->bitrate(), 128);

            int frames = CountMp3Frames(ReadBytes(file));
            EXPECT_GT(frames, 0) << file << ": broken MPEG frame";
            double seconds = frames * 1152.0 / 44100.0;
            EXPECT_GE(seconds, 20.0) << file;
            EXPECT_LE(seconds, 41.0) << file;

            auto demo = std::find_if(catalog.begin(), catalog.end(), [&](const DemoSong& song) {
                return song.FileStem() == file.stem().string();
            });
            ASSERT_NE(demo, catalog.end()) << file;
            EXPECT_EQ(mpeg.tag()->title().to8Bit(true), demo->title);
            EXPECT_EQ(mpeg.tag()->artist().to8Bit(true), demo->artist);
            EXPECT_EQ(demo->channel, channel);
        }
    }
}

TEST(DemoLibrary, LyricLinesAreTimedPhrasesWithinTheSong) {
    const fs::path& root = SharedDemoLibrary();
    const std::regex timed(R"(\[(\d\d):(\d\d)\.(\d\d)\](.*))");
    for (auto channel : kChannelIds) {
        for (const auto& lrcFile : FilesWithExtension(root / channel, ".lrc")) {
            std::string text = ReadBytes(lrcFile);
            EXPECT_EQ(SanitizeUtf8(text), text) << lrcFile << " is not UTF-8";
            std::istringstream lines(text);
            std::string line;
            double previous = -1;
            int sung = 0;
            while (std::getline(lines, line)) {
                std::smatch match;
                if (!std::regex_match(line, match, timed)) {
                    continue;
                }
                double at =
                    std::stoi(match[1]) * 60 + std::stoi(match[2]) + std::stoi(match[3]) / 100.0;
                EXPECT_GT(at, previous) << lrcFile << ": " << line;
                previous = at;
                sung += match[4].length() > 0 ? 1 : 0;
            }
            EXPECT_GE(sung, 4) << lrcFile;
            TagLib::MPEG::File mpeg(
                lrcFile.parent_path().append(lrcFile.stem().string() + ".mp3").c_str());
            ASSERT_TRUE(mpeg.audioProperties());
            EXPECT_LT(previous * 1000, mpeg.audioProperties()->lengthInMilliseconds()) << lrcFile;
        }
    }
}

TEST(DemoLibrary, CoversComeInAllThreeFormatsWithAnimatedGifs) {
    std::set<ImageType> types;
    for (auto channel : kChannelIds) {
        for (const char* extension : {".jpg", ".png", ".gif"}) {
            for (const auto& file : FilesWithExtension(SharedDemoLibrary() / channel, extension)) {
                std::string bytes = ReadBytes(file);
                ImageType type = SniffImageType(bytes.substr(0, 16));
                types.insert(type);
                EXPECT_EQ(ImageExtension(type), std::string(extension).substr(1)) << file;
                int size = static_cast<int>(bytes.size());
                gdImagePtr image =
                    type == ImageType::Jpeg  ? gdImageCreateFromJpegPtr(size, bytes.data())
                    : type == ImageType::Png ? gdImageCreateFromPngPtr(size, bytes.data())
                                             : gdImageCreateFromGifPtr(size, bytes.data());
                ASSERT_NE(image, nullptr) << file << " does not decode";
                EXPECT_GE(gdImageSX(image), 100);
                gdImageDestroy(image);
                if (type == ImageType::Gif) {
                    size_t frames = 0;
                    for (size_t at = bytes.find("\x21\xF9\x04"); at != std::string::npos;
                         at = bytes.find("\x21\xF9\x04", at + 1)) {
                        ++frames;
                    }
                    EXPECT_GE(frames, 2u) << file << " is not animated";
                }
            }
        }
    }
    EXPECT_EQ(types, (std::set<ImageType>{ImageType::Jpeg, ImageType::Png, ImageType::Gif}));
}

// The strongest pitch among the tune's scale notes in a window of samples.
int StrongestNote(const RenderedSong& song, size_t firstFrame, size_t frames, int root) {
    int best = 0;
    double bestPower = -1;
    for (int offset = 0; offset <= 21; ++offset) { // the lead's range
        double frequency = 440.0 * std::pow(2.0, (root + offset - 69) / 12.0);
        double coefficient =
            2 * std::cos(2 * std::numbers::pi * frequency / RenderedSong::kSampleRate);
        double s1 = 0, s2 = 0;
        for (size_t i = 0; i < frames; ++i) {
            double s0 = song.samples[(firstFrame + i) * 2] + coefficient * s1 - s2;
            s2 = s1;
            s1 = s0;
        }
        double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
        if (power > bestPower) {
            bestPower = power;
            best = root + offset;
        }
    }
    return best;
}

TEST(DemoLibrary, TunesMoveBetweenPitchesAndDifferFromSongToSong) {
    std::vector<DemoSong> catalog = DemoCatalog();
    std::set<std::set<int>> songPitches;
    for (size_t i = 0; i < 3; ++i) {
        const DemoSong& demo = catalog[i * 7];
        RenderedSong song =
            RenderMelody({demo.rootNote, demo.beatsPerMinute, demo.triangleLead, demo.seed});
        EXPECT_GE(song.seconds, 20.0);
        EXPECT_LE(song.seconds, 40.0);
        std::set<int> pitches;
        const size_t window = RenderedSong::kSampleRate / 10;
        for (size_t at = RenderedSong::kSampleRate; at + window < song.samples.size() / 2;
             at += window * 4) {
            pitches.insert(StrongestNote(song, at, window, demo.rootNote));
        }
        EXPECT_GE(pitches.size(), 5u) << demo.title << " hardly changes pitch";
        songPitches.insert(pitches);
    }
    EXPECT_EQ(songPitches.size(), 3u);
}

TEST(DemoLibrary, AnIncompleteLibraryIsMadeAnewAndACompleteOneReused) {
    TempDir cache;
    fs::create_directories(cache.Path() / "demo" / "fengge_dj");
    std::ofstream(cache.Path() / "demo" / "fengge_dj" / "half-written.mp3") << "partial";
    DemoResult first = EnsureDemoLibrary(cache.Path());
    ASSERT_EQ(first.error, "");
    EXPECT_TRUE(first.generated);
    EXPECT_FALSE(fs::exists(cache.Path() / "demo" / "fengge_dj" / "half-written.mp3"));
    EXPECT_EQ(Library::Scan(first.folder).Size(), 30u);
    for (const auto& entry : fs::directory_iterator(cache.Path())) {
        EXPECT_FALSE(entry.path().filename().string().starts_with("demo.tmp"))
            << "left behind: " << entry.path();
    }
    DemoResult second = EnsureDemoLibrary(cache.Path());
    EXPECT_EQ(second.error, "");
    EXPECT_FALSE(second.generated);
    EXPECT_EQ(second.folder, first.folder);
}

} // namespace
} // namespace station_server::test
