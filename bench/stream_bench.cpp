// Plays a song through the engine and prints how soon audio was ready and
// how much CPU playback costs.
//
//   stream_bench.exe URL-or-file seconds
//
// A local file is served over HTTP on 127.0.0.1 from inside the program, so
// the whole URL path (download, decode, output) is measured either way.

#include "audio/EngineApi.h"
#include "tests/audio/SongServer.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double ProcessCpuSeconds() {
    FILETIME created{}, exited{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](FILETIME time) {
        ULARGE_INTEGER value{};
        value.LowPart = time.dwLowDateTime;
        value.HighPart = time.dwHighDateTime;
        return static_cast<double>(value.QuadPart) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: stream_bench URL-or-file seconds\n");
        return 2;
    }
    std::string source = argv[1];
    double seconds = std::atof(argv[2]);
    std::unique_ptr<audio_test::SongServer> server;
    if (GetFileAttributesA(source.c_str()) != INVALID_FILE_ATTRIBUTES) {
        server = std::make_unique<audio_test::SongServer>(audio_test::ReadFile(source));
        source = server->Url();
    }
    if (!BASS_Init(-1, 44100, 0, nullptr, nullptr)) {
        std::fprintf(stderr, "no output device\n");
        return 1;
    }
    auto start = Clock::now();
    DWORD stream = BASS_StreamCreateURL(source.c_str(), 0, 0, nullptr, nullptr);
    double createSeconds = Since(start);
    if (stream == 0) {
        std::fprintf(stderr, "could not open %s\n", source.c_str());
        return 1;
    }
    double cpuBefore = ProcessCpuSeconds();
    auto playStart = Clock::now();
    BASS_ChannelPlay(stream, TRUE);
    double firstPlayed = -1.0;
    while (Since(playStart) < seconds && BASS_ChannelIsActive(stream) != 0) {
        if (firstPlayed < 0 && BASS_ChannelGetPosition(stream, 0) > 0) {
            firstPlayed = Since(playStart);
        }
        // Fine polling only until the first buffer has played, so that the
        // program's own loop costs next to nothing in the CPU figure.
        std::this_thread::sleep_for(std::chrono::milliseconds(firstPlayed < 0 ? 5 : 200));
    }
    double cpu = ProcessCpuSeconds() - cpuBefore;
    double played = BASS_ChannelBytes2Seconds(stream, BASS_ChannelGetPosition(stream, 0));
    double length = BASS_ChannelBytes2Seconds(stream, BASS_ChannelGetLength(stream, 0));
    BASS_StreamFree(stream);
    std::printf("creation to first decoded audio: %.1f ms\n", createSeconds * 1000.0);
    std::printf("play to first buffer played: %.1f ms\n", firstPlayed * 1000.0);
    std::printf("played: %.2f s of %.2f s\n", played, length);
    std::printf("length_seconds %.3f\n", length);
    std::printf("cpu_seconds_per_minute %.3f\n", played > 0 ? cpu * 60.0 / played : 0.0);
    return 0;
}
