#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <regex>
#include <thread>

#include "tests/server/ServerTestSupport.h"

extern char** environ;

namespace station_server::test {
namespace {

// lanxi-station as a child process, with its output read through pipes.
class Station {
public:
    explicit Station(std::vector<std::string> args) {
        args.insert(args.begin(), STATION_EXECUTABLE);
        int out[2], err[2];
        EXPECT_EQ(pipe2(out, O_CLOEXEC), 0);
        EXPECT_EQ(pipe2(err, O_CLOEXEC), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_adddup2(&actions, err[1], 2);
        std::vector<char*> argv;
        for (auto& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        EXPECT_EQ(posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        close(err[1]);
        out_ = out[0];
        err_ = err[0];
    }
    Station(const Station&) = delete;
    Station& operator=(const Station&) = delete;
    ~Station() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(out_);
        close(err_);
    }

    // The first line on standard output, waiting at most timeoutSeconds.
    std::string FirstLine(int timeoutSeconds) {
        std::string line;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
        while (std::chrono::steady_clock::now() < deadline) {
            pollfd entry{out_, POLLIN, 0};
            if (poll(&entry, 1, 200) <= 0) {
                continue;
            }
            char c;
            if (read(out_, &c, 1) != 1 || c == '\n') {
                break;
            }
            line += c;
        }
        return line;
    }

    // Waits for the end of the process: its exit code and standard error.
    std::pair<int, std::string> Finish(int timeoutSeconds) {
        std::string errors;
        bool errorsEnded = false;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = 0;
                char buffer[512];
                for (ssize_t n; (n = read(err_, buffer, sizeof(buffer))) > 0;) {
                    errors.append(buffer, static_cast<size_t>(n));
                }
                return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, errors};
            }
            pollfd entry{err_, POLLIN, 0};
            if (errorsEnded || poll(&entry, 1, 100) <= 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                continue;
            }
            char buffer[512];
            ssize_t n = read(err_, buffer, sizeof(buffer));
            if (n > 0) {
                errors.append(buffer, static_cast<size_t>(n));
            } else {
                errorsEnded = true;
            }
        }
        return {-1, errors + "(did not end)"};
    }

    void Signal(int number) { kill(pid_, number); }

private:
    pid_t pid_ = 0;
    int out_ = -1;
    int err_ = -1;
};

TEST(CommandLine, PrintsTheReadyLineServesAndStopsOnTerm) {
    Station station({SharedDemoLibrary().string(), "--port", "0"});
    std::string line = station.FirstLine(30);
    std::smatch match;
    ASSERT_TRUE(std::regex_match(
        line, match, std::regex(R"(lanxi-station: serving (.+) on http://127\.0\.0\.1:(\d+))")))
        << line;
    EXPECT_EQ(match[1].str(), std::filesystem::canonical(SharedDemoLibrary()).string());
    httplib::Client client("127.0.0.1", std::stoi(match[2]));
    auto answer = client.Get("/dev/api/?tn=playlist&id=public_fengge_liuxing&hashcode=&_=1");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);
    EXPECT_NE(answer->body.find("\"id\":"), std::string::npos);
    station.Signal(SIGTERM);
    EXPECT_EQ(station.Finish(20).first, 0);
}

TEST(CommandLine, DemoWithACacheFolderServesTheDemoLibrary) {
    Station station({"--demo", "--cache", SHARED_DEMO_CACHE, "--port", "0"});
    std::string line = station.FirstLine(120);
    EXPECT_TRUE(line.starts_with("lanxi-station: serving " + SharedDemoLibrary().string() + " on "))
        << line;
}

TEST(CommandLine, AFolderThatIsNotThereFailsWithAMessage) {
    Station station({"/no/such/music/folder"});
    auto [code, errors] = station.Finish(20);
    EXPECT_NE(code, 0);
    EXPECT_NE(errors.find("not a music folder: /no/such/music/folder"), std::string::npos)
        << errors;
}

TEST(CommandLine, APortInUseFailsWithAMessage) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(listen(fd, 1), 0);
    socklen_t length = sizeof(address);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    std::string port = std::to_string(ntohs(address.sin_port));

    Station station({SharedDemoLibrary().string(), "--port", port});
    auto [code, errors] = station.Finish(20);
    close(fd);
    EXPECT_NE(code, 0);
    EXPECT_NE(errors.find("port is already in use"), std::string::npos) << errors;
}

TEST(CommandLine, HelpAndBadArgumentsAreAnswered) {
    {
        Station station({"--help"});
        EXPECT_EQ(station.FirstLine(10), "Usage: lanxi-station [options] MUSIC_FOLDER");
        EXPECT_EQ(station.Finish(10).first, 0);
    }
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"--port", "abc", "/tmp"},
        {"--port", "70000", "/tmp"},
        {"--port"},
        {"--frobnicate", "/tmp"},
        {"--demo", "/tmp"},
        {"/tmp", "/var"},
    };
    for (const auto& args : bad) {
        Station station(args);
        auto [code, errors] = station.Finish(10);
        EXPECT_EQ(code, 2) << (args.empty() ? "(no arguments)" : args[0]);
        EXPECT_NE(errors.find("Usage:"), std::string::npos);
    }
}

} // namespace
} // namespace station_server::test
