// The /test/ endpoints misbehave as asked, and the site starts and stops cleanly.
#include "demo_site/demo_site_fixture.h"
#include "text/gbk_convert.h"

#include <atomic>
#include <chrono>
#include <set>
#include <thread>
#include <vector>

using namespace lanxi;
using namespace lanxi::test;
using namespace std::chrono;

namespace {

using DemoSiteEndpoints = DemoSiteFixture;

milliseconds Since(steady_clock::time_point start) {
    return duration_cast<milliseconds>(steady_clock::now() - start);
}

// A GET that gives up after `readTimeout`; false when no answer came.
bool AnsweredWithin(int port, const char* path, milliseconds readTimeout) {
    httplib::Client client("127.0.0.1", port);
    client.set_read_timeout(duration_cast<seconds>(readTimeout).count(),
                            (readTimeout % seconds(1)).count() * 1000);
    return static_cast<bool>(client.Get(path));
}

TEST_F(DemoSiteEndpoints, AnswerOnEveryHost) {
    struct Case {
        std::string host, path;
        int status;
        std::string body;
    } cases[] = {
        {"rdzw.localhost", "/test/status500", 500, "server error page"},
        {"kanshuzhan.localhost", "/test/cookies", 200, "cookies set"},
        {"elsewhere.localhost", "/test/redirect?n=0", 200, "redirect done"},
        {"lanxi.localhost", "/test/delay?ms=0", 200, "delayed"},
        {"rdzw.localhost", "//test/big-headers", 200, "big headers"},
    };
    for (const Case& c : cases) {
        Fetched answer = get(c.host, c.path);
        EXPECT_EQ(answer.status, c.status) << c.path;
        EXPECT_EQ(answer.body, c.body) << c.path;
    }
}

TEST_F(DemoSiteEndpoints, DelayHoldsTheAnswerForTheGivenTime) {
    auto start = steady_clock::now();
    Fetched answer = get("rdzw.localhost", "/test/delay?ms=300");
    EXPECT_GE(Since(start).count(), 300);
    EXPECT_EQ(answer.body, "delayed");
}

TEST_F(DemoSiteEndpoints, CookiesComeInTwoSetCookieHeaders) {
    Fetched answer = get("rdzw.localhost", "/test/cookies");
    std::multiset<std::string> cookies;
    auto [from, to] = answer.headers.equal_range("Set-Cookie");
    for (auto it = from; it != to; ++it) {
        cookies.insert(it->second);
    }
    EXPECT_EQ(cookies, (std::multiset<std::string>{"alpha=1; path=/", "beta=2; path=/"}));
}

TEST_F(DemoSiteEndpoints, BigHeadersOverflowTheReadersHeaderBuffer) {
    Fetched answer = get("rdzw.localhost", "/test/big-headers");
    size_t headerBytes = 0;
    for (const auto& [name, value] : answer.headers) {
        headerBytes += name.size() + 2 + value.size() + 2;
    }
    EXPECT_GT(headerBytes, 2048u);
    EXPECT_EQ(Header(answer, "Set-Cookie"), "gamma=3; path=/");
}

TEST_F(DemoSiteEndpoints, EchoReturnsTheRequestAsReceived) {
    struct Case {
        std::string method, target, body;
    } cases[] = {
        {"GET", "/test/echo?x=1&y=%D6%D0", ""},
        {"POST", "/test/echo?form=1", "a=1&b=%B0%A1"},
    };
    for (const Case& c : cases) {
        httplib::Client client("127.0.0.1", port());
        httplib::Headers headers{{"Host", hostHeader("rdzw.localhost")}, {"X-Probe", "42"}};
        httplib::Result answer = c.method == "GET"
                                     ? client.Get(c.target.c_str(), headers)
                                     : client.Post(c.target.c_str(), headers, c.body,
                                                   "application/x-www-form-urlencoded");
        ASSERT_TRUE(answer) << c.method;
        const std::string& echo = answer->body;
        EXPECT_EQ(echo.substr(0, echo.find("\r\n")), c.method + " " + c.target);
        EXPECT_TRUE(Contains(echo, "\r\nX-Probe: 42\r\n")) << echo;
        EXPECT_TRUE(Contains(echo, "\r\nHost: " + hostHeader("rdzw.localhost") + "\r\n"));
        EXPECT_FALSE(Contains(echo, "REMOTE_ADDR")) << "headers the client never sent";
        EXPECT_TRUE(EndsWith(echo, "\r\n\r\n" + c.body)) << echo;
        EXPECT_EQ(answer->get_header_value("Content-Type"), "text/plain");
    }
}

TEST_F(DemoSiteEndpoints, RedirectsCountDownToDone) {
    Fetched first = get("rdzw.localhost", "/test/redirect?n=3");
    EXPECT_EQ(first.status, 302);
    EXPECT_EQ(Header(first, "Location"), "/test/redirect?n=2");

    httplib::Client client("127.0.0.1", port());
    client.set_follow_location(true);
    httplib::Result followed = client.Get("/test/redirect?n=3");
    ASSERT_TRUE(followed);
    EXPECT_EQ(followed->body, "redirect done");
}

TEST_F(DemoSiteEndpoints, OversizedStreamsWithoutContentLength) {
    Fetched answer = get("rdzw.localhost", "/test/oversized?mb=2");
    EXPECT_EQ(answer.status, 200);
    EXPECT_EQ(answer.body.size(), 2u * 1024 * 1024);
    EXPECT_EQ(answer.headers.count("Content-Length"), 0u);
}

TEST_F(DemoSiteEndpoints, SizedPageIsGbkOfTheAskedSize) {
    for (int kb : {1, 64}) {
        Fetched answer = get("rdzw.localhost", "/test/page?kb=" + std::to_string(kb));
        EXPECT_EQ(answer.body.size(), static_cast<size_t>(kb) * 1024) << kb;
        EXPECT_EQ(Header(answer, "Content-Type"), "text/html; charset=gbk");
        EXPECT_FALSE(Contains(GbkToUtf8(answer.body), "\xEF\xBF\xBD")) << "not valid GBK";
    }
}

// More silent requests than the site has worker threads: unless the site lets go of each
// one when its client gives up, the plain request after them is never served.
TEST_F(DemoSiteEndpoints, SilentNeverAnswersAndLetsGoOfClientsThatGiveUp) {
    std::atomic<int> answered = 0;
    std::vector<std::thread> clients;
    for (int i = 0; i < 40; ++i) {
        clients.emplace_back([&answered] {
            if (AnsweredWithin(port(), "/test/silent", milliseconds(300))) {
                ++answered;
            }
        });
    }
    for (std::thread& t : clients) {
        t.join();
    }
    EXPECT_EQ(answered, 0);
    EXPECT_TRUE(AnsweredWithin(port(), "/test/delay?ms=0", seconds(5)));
}

TEST(DemoSiteLifecycle, StopReturnsPromptlyWhileASilentRequestIsHeld) {
    demo::DemoSite site;
    ASSERT_TRUE(site.start());
    std::atomic<bool> answered = false;
    std::thread client([&answered, port = site.port()] {
        answered = AnsweredWithin(port, "/test/silent", seconds(30));
    });
    std::this_thread::sleep_for(milliseconds(300));
    auto start = steady_clock::now();
    site.stop();
    EXPECT_LT(Since(start).count(), 2000);
    client.join();
    EXPECT_FALSE(answered) << "a silent request must end without an answer";
    EXPECT_EQ(site.port(), 0);
}

TEST(DemoSiteLifecycle, StartFailsOnAPortInUseAndWorksAgainAfterStop) {
    demo::DemoSite first;
    ASSERT_TRUE(first.start());
    int port = first.port();
    EXPECT_FALSE(first.start()) << "already running";
    demo::DemoSite second;
    EXPECT_FALSE(second.start(port));
    first.stop();
    ASSERT_TRUE(second.start(port));
    EXPECT_EQ(second.port(), port);
}

} // namespace
