#include "station/StationRoot.h"

#include <gtest/gtest.h>

namespace {

struct RootCase {
    const char* commandLine;
    const char* environment; // null: the variable is not set
    const char* root;
};

TEST(StationAddress, ComesFromTheCommandLineThenTheEnvironmentThenTheDefault) {
    const RootCase cases[] = {
        RootCase{"", nullptr, "http://127.0.0.1:17878"},
        RootCase{"", "", "http://127.0.0.1:17878"},
        RootCase{"", "http://radio.test:8080", "http://radio.test:8080"},
        RootCase{"", "http://radio.test:8080/", "http://radio.test:8080"},
        RootCase{"--station http://10.0.0.2:9000/", "http://env.test", "http://10.0.0.2:9000"},
        RootCase{"--station=http://a.test//", nullptr, "http://a.test"},
        RootCase{"-x --station \"http://b.test:81\" --other", nullptr, "http://b.test:81"},
        RootCase{"\t--station\thttp://c.test\t", nullptr, "http://c.test"},
        RootCase{"--station 127.0.0.1:5000", nullptr, "http://127.0.0.1:5000"},
        RootCase{"", "localhost:17878/", "http://localhost:17878"},
        RootCase{"--station", "http://env.test", "http://env.test"},
        RootCase{"--station /", "http://env.test", "http://env.test"},
        RootCase{"--stationary http://x.test", nullptr, "http://127.0.0.1:17878"},
        RootCase{"--station https://secure.test/", nullptr, "https://secure.test"},
    };
    for (const RootCase& c : cases) {
        EXPECT_EQ(ChooseStationRoot(c.commandLine, c.environment), c.root)
            << "command line [" << c.commandLine << "] environment ["
            << (c.environment ? c.environment : "(unset)") << "]";
    }
}

TEST(StationRoot, IsTheDefaultUntilSet) {
    EXPECT_EQ(StationRoot(), kDefaultStationRoot);
    SetStationRoot("http://set.test:1");
    EXPECT_EQ(StationRoot(), "http://set.test:1");
    SetStationRoot(std::string(kDefaultStationRoot));
}

} // namespace
