#include "station/HttpText.h"

#include <gtest/gtest.h>

namespace {

TEST(DefaultRequestHeaders, IsTheRefererLineFollowedByTheFixedBlock) {
    EXPECT_EQ(DefaultRequestHeaders("http://h/p?x=1"),
              "Referer: http://h/p?x=1\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
              "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; Trident/5.0)\r\n"
              "Content-Type: application/x-www-form-urlencoded");
}

TEST(NormalizeMethod, UpperCasesAndDefaultsToGet) {
    EXPECT_EQ(NormalizeMethod("post"), "POST");
    EXPECT_EQ(NormalizeMethod(""), "GET");
    EXPECT_EQ(NormalizeMethod("Get"), "GET");
}

struct SplitCase {
    const char* name;
    const char* headers;
    std::vector<HeaderField> fields;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << c.name;
}

const SplitCase kSplitCases[] = {
    {"a URL value keeps its colons and leading space",
     "Referer: http://host:8080/x",
     {{"Referer", " http://host:8080/x"}}},
    {"several lines in order, lines without a colon skipped",
     "A: 1\r\nnonsense\r\nB:2",
     {{"A", " 1"}, {"B", "2"}}},
    {"a name with only a final colon is not set", "Empty:", {}},
    {"an empty piece between colons stays", "X::y", {{"X", ":y"}}},
    {"a final colon after a value is dropped", "X:a:", {{"X", "a"}}},
    {"an empty text sets nothing", "", {}},
};

class SplitHeaderLinesTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitHeaderLinesTest, GivesNameValuePairs) {
    const std::vector<HeaderField> fields = SplitHeaderLines(GetParam().headers);
    ASSERT_EQ(fields.size(), GetParam().fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(fields[i].name, GetParam().fields[i].name);
        EXPECT_EQ(fields[i].value, GetParam().fields[i].value);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitHeaderLinesTest, testing::ValuesIn(kSplitCases));

TEST(ReadResponseHeaders, CollectsCookiesOfEverySetCookieLine) {
    const ResponseHeaderFacts facts = ReadResponseHeaders(
        "Content-Type: text/plain\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2; path=/\r\n");
    EXPECT_EQ(facts.responseCookies, "a=1; b=2; ");
    EXPECT_EQ(facts.redirectUrl, "");
}

TEST(ReadResponseHeaders, ACookieWithoutSemicolonContributesAnEmptyPiece) {
    EXPECT_EQ(ReadResponseHeaders("Set-Cookie: c=3").responseCookies, "; ");
}

TEST(ReadResponseHeaders, TheLastLocationWins) {
    const ResponseHeaderFacts facts =
        ReadResponseHeaders("Location: http://a/1\r\nX: y\r\nLocation:   http://b/2  ");
    EXPECT_EQ(facts.redirectUrl, "http://b/2");
}

TEST(ReadResponseHeaders, LowerCaseNamesAreNotRead) {
    const ResponseHeaderFacts facts = ReadResponseHeaders("location: /x\r\nset-cookie: a=1;");
    EXPECT_EQ(facts.redirectUrl, "");
    EXPECT_EQ(facts.responseCookies, "");
}

} // namespace
