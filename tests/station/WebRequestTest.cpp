#include "station/WebRequest.h"

#include "tests/support/LoopbackHttpServer.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using testing_support::HttpConnection;
using testing_support::HttpRequest;
using testing_support::LoopbackHttpServer;

LoopbackHttpServer::Handler Answer(std::string body, std::string extraHeaders = {}) {
    return [body, extraHeaders](const HttpRequest&, HttpConnection& c) {
        c.Respond(200, body, extraHeaders);
    };
}

TEST(WebRequest, SendsExactlyTheDefaultHeaderBlockWhenNoneIsGiven) {
    LoopbackHttpServer server(Answer("ok"));
    WebExchange x{.url = server.Url("/dev/api/?tn=playlist")};
    EXPECT_EQ(WebRequest(x), "ok");

    const std::vector<HttpRequest> requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    const HttpRequest& seen = requests[0];
    EXPECT_EQ(seen.Header("Referer"), x.url);
    EXPECT_EQ(seen.Header("Accept"), "*/*");
    EXPECT_EQ(seen.Header("Accept-Language"), "zh-cn");
    EXPECT_EQ(seen.Header("User-Agent"),
              "Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; Trident/5.0)");
    EXPECT_EQ(seen.Header("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(seen.Header("Cookie"), "") << "no cookie header without cookies";

    // Nothing else of ours: only what the HTTP stack itself adds.
    const std::set<std::string> ours = {"referer", "accept", "accept-language", "user-agent",
                                        "content-type"};
    const std::set<std::string> transport = {"host", "connection", "content-length",
                                             "cache-control", "pragma"};
    for (const auto& [name, value] : seen.headers) {
        std::string lower = name;
        for (char& c : lower) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        EXPECT_TRUE(ours.contains(lower) || transport.contains(lower))
            << "unexpected header " << name << ": " << value;
    }
    EXPECT_EQ(x.headers, "Referer: " + x.url +
                             "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nUser-Agent: Mozilla/5.0 "
                             "(compatible; MSIE 9.0; Windows NT 6.1; Trident/5.0)\r\nContent-Type: "
                             "application/x-www-form-urlencoded");
}

TEST(WebRequest, SendsMethodsUpperCaseAndWritesThemBack) {
    LoopbackHttpServer server(Answer(""));
    WebExchange post{
        .url = server.Url("/data/music/songinfo"), .method = "post", .body = "songIds=7"};
    WebRequest(post);
    WebExchange get{.url = server.Url("/x")};
    WebRequest(get);

    const std::vector<HttpRequest> seen = server.Requests();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].method, "POST");
    EXPECT_EQ(seen[0].body, "songIds=7");
    EXPECT_EQ(post.method, "POST");
    EXPECT_EQ(seen[1].method, "GET");
    EXPECT_EQ(get.method, "GET");
}

TEST(WebRequest, SetsTheCallersHeaderLinesWithColonsInValues) {
    LoopbackHttpServer server(Answer(""));
    WebExchange x{.url = server.Url("/h"),
                  .headers = "Referer: http://example.test:8080/page\r\nX-Pair: a:b\r\nbroken"};
    WebRequest(x);
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].Header("Referer"), "http://example.test:8080/page");
    EXPECT_EQ(server.Requests()[0].Header("X-Pair"), "a:b");
    EXPECT_EQ(server.Requests()[0].Header("Accept-Language"), "") << "no default block";
}

TEST(WebRequest, SendsCookiesAndMergesTheOnesTheResponseSets) {
    LoopbackHttpServer server(Answer("", "Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2; path=/\r\n"));
    WebExchange x{.url = server.Url("/c"), .cookies = "a=0; keep=yes;"};
    WebRequest(x);
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].Header("Cookie"), "a=0; keep=yes;");
    EXPECT_EQ(x.responseCookies, "a=1; b=2;") << "left trimmed by the merge";
    EXPECT_EQ(x.cookies, "a=1; keep=yes; b=2;");
}

LoopbackHttpServer::Handler RedirectOldToNew() {
    return [](const HttpRequest& r, HttpConnection& c) {
        if (r.target == "/old") {
            c.Respond(302, "moved", "Location: /new\r\n");
        } else {
            c.Respond(200, "arrived");
        }
    };
}

TEST(WebRequest, FollowsARedirect) {
    LoopbackHttpServer server(RedirectOldToNew());
    WebExchange x{.url = server.Url("/old")};
    EXPECT_EQ(WebRequest(x), "arrived");
    ASSERT_EQ(server.Requests().size(), 2u);
    EXPECT_EQ(server.Requests()[1].target, "/new");
    // The final response has no Location line, so the whole header text is given.
    EXPECT_EQ(x.redirectUrl, x.responseHeaders);
    EXPECT_NE(x.responseHeaders.find("Content-Length"), std::string::npos);
}

TEST(WebRequest, DoesNotFollowARedirectWhenToldNotTo) {
    LoopbackHttpServer server(RedirectOldToNew());
    WebExchange x{.url = server.Url("/old"), .noRedirect = true};
    EXPECT_EQ(WebRequest(x), "moved");
    EXPECT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(x.redirectUrl, "/new");
}

TEST(WebRequest, ServerThatNeverAnswersGivesAnEmptyResultAfterTheTimeout) {
    LoopbackHttpServer server([](const HttpRequest&, HttpConnection& c) { c.WaitForStop(120000); });
    WebExchange x{.url = server.Url("/silent"), .timeoutSeconds = 1};
    EXPECT_EQ(WebRequest(x), "");
    EXPECT_EQ(x.responseCookies, "");
}

TEST(WebRequest, RefusedConnectionGivesEmptyResults) {
    WebExchange x{.url = "http://127.0.0.1:" + std::to_string(LoopbackHttpServer::UnusedPort()) +
                         "/nothing",
                  .timeoutSeconds = 2};
    EXPECT_EQ(WebRequest(x), "");
    EXPECT_EQ(x.responseCookies, "");
    EXPECT_EQ(x.responseHeaders, "");
    EXPECT_EQ(x.redirectUrl, "");
}

TEST(WebRequest, AnEmptyOrMalformedUrlGivesEmptyResultsWithoutWaiting) {
    for (const char* url : {"", "null", "http://127.0.0.1:1null"}) {
        WebExchange x{.url = url};
        EXPECT_EQ(WebRequest(x), "") << url;
        EXPECT_EQ(x.responseHeaders, "") << url;
    }
}

TEST(WebRequest, SendsBodyBytesAsTheyAre) {
    LoopbackHttpServer server(Answer(""));
    const std::string bytes("a\0b\xff", 4);
    WebExchange x{.url = server.Url("/b"), .method = "POST", .body = "ignored", .bodyBytes = bytes};
    WebRequest(x);
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].body, bytes);
}

TEST(WebRequestText, StopsAtTheFirstZeroByte) {
    LoopbackHttpServer server(Answer(std::string("text\0tail", 9)));
    WebExchange x{.url = server.Url("/t")};
    EXPECT_EQ(WebRequestText(x), "text");
}

TEST(WebRequestUtf8Text, ConvertsUtf8ToCodePage936) {
    LoopbackHttpServer server(Answer("[ti:\xE6\xAD\x8C\xE5\x90\x8D]")); // 歌名 in UTF-8
    WebExchange x{.url = server.Url("/lrc")};
    EXPECT_EQ(WebRequestUtf8Text(x), "[ti:\xB8\xE8\xC3\xFB]"); // 歌名 in code page 936
}

} // namespace
