#include "station/Cookies.h"

#include <gtest/gtest.h>

namespace {

struct MergeCase {
    const char* name;
    const char* cookies;
    const char* newCookies;
    const char* merged;
};

void PrintTo(const MergeCase& c, std::ostream* os) {
    *os << c.name;
}

const MergeCase kMergeCases[] = {
    {"a value is replaced and a new cookie appended", "a=1;", "a=2; b=3;", "a=2; b=3;"},
    {"a deleted cookie is dropped", "x=1; y=2;", "x=deleted;", "y=2;"},
    {"an empty value is dropped", "", "z=;", ""},
    {"both empty", "", "", ""},
    {"texts without a final semicolon", "  a=1 ", " b=2 ", "a=1; b=2;"},
    {"names match without regard to case", "SID=old;", "sid=new;", "sid=new;"},
    {"pieces without = are ignored", "a=1;", "secure; httponly;", "a=1;"},
    {"values with = survive", "", "t=a=b;", "t=a=b;"},
    {"the second of several cookies is replaced", "a=1; b=2; c=3;", "b=9;", "a=1; b=9; c=3;"},
};

class MergeCookiesTest : public testing::TestWithParam<MergeCase> {};

TEST_P(MergeCookiesTest, MergesIntoTheCookieText) {
    std::string cookies = GetParam().cookies;
    std::string newCookies = GetParam().newCookies;
    const std::string returned = MergeCookies(cookies, newCookies);
    EXPECT_EQ(cookies, GetParam().merged);
    EXPECT_EQ(returned, cookies);
}

INSTANTIATE_TEST_SUITE_P(Cases, MergeCookiesTest, testing::ValuesIn(kMergeCases));

TEST(MergeCookies, LeavesTheNewCookiesTrimmedAndTerminated) {
    std::string cookies;
    std::string newCookies = "  a=1 ";
    MergeCookies(cookies, newCookies);
    EXPECT_EQ(newCookies, "a=1;");
}

} // namespace
