#include "net/cookie_store.h"
#include "net/http_client.h"
#include "support/temp_home.h"
#include "text/gbk_text.h"
#include "tools/demo_site/demo_site.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>

using namespace lanxi;

namespace {

// The request the echo page saw: first line, headers by lower-case name, body.
struct Echo {
    std::string requestLine;
    std::multimap<std::string, std::string> headers;
    std::string body;
};

Echo parseEcho(const std::string& text) {
    Echo e;
    size_t blank = text.find("\r\n\r\n");
    std::string head = text.substr(0, blank);
    e.body = blank == std::string::npos ? "" : text.substr(blank + 4);
    std::vector<std::string> lines = gbk::split(head, "\r\n");
    if (!lines.empty()) {
        e.requestLine = lines[0];
    }
    for (size_t i = 1; i < lines.size(); ++i) {
        size_t colon = lines[i].find(':');
        std::string value = lines[i].substr(colon + 1);
        value.erase(0, value.find_first_not_of(' '));
        e.headers.emplace(gbk::lower(lines[i].substr(0, colon)), value);
    }
    return e;
}

class HttpClient : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(site.start(0)); }

    std::string url(const std::string& path, const std::string& host = "rdzw.localhost") {
        return "http://" + host + ":" + std::to_string(site.port()) + path;
    }
    HttpRequest request(const std::string& path) {
        HttpRequest r;
        r.url = url(path);
        r.cookies = &cookies;
        return r;
    }

    test::TempHome home;
    demo::DemoSite site;
    CookieStore cookies{home.config() / "cookies.txt"};
};

TEST_F(HttpClient, AUrlAloneSendsTheThreeDefaultHeadersWithGet) {
    HttpRequest r = request("/test/echo");
    Echo e = parseEcho(HttpFetch(r));
    EXPECT_EQ(e.requestLine, "GET /test/echo");
    std::vector<std::string> names;
    for (const auto& [name, value] : e.headers) {
        names.push_back(name);
    }
    // Host and User-Agent come from the client itself; nothing else is sent.
    EXPECT_EQ(names, (std::vector<std::string>{"accept", "accept-language", "host", "referer",
                                               "user-agent"}));
    EXPECT_EQ(e.headers.find("user-agent")->second, kUserAgent);
    EXPECT_EQ(e.headers.find("referer")->second, r.url);
    EXPECT_EQ(e.headers.find("accept-language")->second, "zh-cn");
    EXPECT_EQ(e.headers.find("accept")->second.substr(0, 20), "image/gif, image/x-x");
}

TEST_F(HttpClient, ALowerCaseAcceptHeaderReplacesTheDefaultOne) {
    HttpRequest r = request("/test/echo");
    r.extraHeaders = "accept: text/html\r\nX-Extra: 1\r\n";
    Echo e = parseEcho(HttpFetch(r));
    EXPECT_EQ(e.headers.count("accept"), 1u);
    EXPECT_EQ(e.headers.find("accept")->second, "text/html");
    EXPECT_EQ(e.headers.find("x-extra")->second, "1");
}

TEST_F(HttpClient, PostsCarryTypeAndLengthOnlyWithData) {
    HttpRequest r = request("/test/echo");
    r.method = "post";
    r.postData = "a=1&b=2";
    Echo e = parseEcho(HttpFetch(r));
    EXPECT_EQ(e.requestLine, "POST /test/echo");
    EXPECT_EQ(e.headers.find("content-type")->second, "application/x-www-form-urlencoded");
    EXPECT_EQ(e.headers.find("content-length")->second, "7");
    EXPECT_EQ(e.body, "a=1&b=2");

    r.method = "PUT";
    HttpResult refused = PerformHttpRequest(r);
    EXPECT_FALSE(refused.completed);
    EXPECT_EQ(refused.body, "");
}

TEST_F(HttpClient, APostWithoutDataSendsNoBodyAndNoType) {
    HttpRequest r = request("/test/echo");
    r.method = "POST";
    Echo e = parseEcho(HttpFetch(r));
    EXPECT_EQ(e.requestLine, "POST /test/echo");
    EXPECT_EQ(e.headers.find("content-length")->second, "0");
    EXPECT_EQ(e.headers.count("content-type"), 0u);
    EXPECT_EQ(e.body, "");
}

TEST_F(HttpClient, CookiesAreStoredSentBackAndKeptInTheFile) {
    HttpFetch(request("/test/cookies"));
    Echo e = parseEcho(HttpFetch(request("/test/echo")));
    ASSERT_EQ(e.headers.count("cookie"), 1u);
    std::string sent = e.headers.find("cookie")->second;
    EXPECT_NE(sent.find("alpha=1"), std::string::npos);
    EXPECT_NE(sent.find("beta=2"), std::string::npos);

    // A new store reading the file (the next run of the program) sends them too.
    CookieStore later(cookies.file());
    HttpRequest r = request("/test/echo");
    r.cookies = &later;
    Echo again = parseEcho(HttpFetch(r));
    ASSERT_EQ(again.headers.count("cookie"), 1u);
    EXPECT_EQ(again.headers.find("cookie")->second, sent);

    // Cookies belong to their host.
    HttpRequest other = request("/test/echo");
    other.url = url("/test/echo", "kanshuzhan.localhost");
    EXPECT_EQ(parseEcho(HttpFetch(other)).headers.count("cookie"), 0u);
}

TEST_F(HttpClient, AHeaderBlockOver1024BytesIsReturnedWholeWithItsCookies) {
    std::string headers;
    std::string body = HttpFetch(request("/test/big-headers"), &headers);
    EXPECT_FALSE(body.empty());
    EXPECT_GT(headers.size(), 1024u);
    EXPECT_EQ(headers.rfind("HTTP/1.1 200", 0), 0u);
    EXPECT_EQ(headers.substr(headers.size() - 4), "\r\n\r\n");
    Echo e = parseEcho(HttpFetch(request("/test/echo")));
    ASSERT_EQ(e.headers.count("cookie"), 1u);
    EXPECT_NE(e.headers.find("cookie")->second.find("gamma=3"), std::string::npos);
}

TEST_F(HttpClient, ErrorPagesAndRedirectsGiveTheFinalBody) {
    std::string headers;
    EXPECT_EQ(HttpFetch(request("/test/status500"), &headers), "server error page");
    EXPECT_EQ(headers.rfind("HTTP/1.1 500", 0), 0u);

    EXPECT_EQ(HttpFetch(request("/test/redirect?n=3"), &headers), "redirect done");
    EXPECT_EQ(headers.rfind("HTTP/1.1 200", 0), 0u);
    EXPECT_EQ(HttpFetch(request("/test/redirect?n=10")), "redirect done");

    // A redirected post goes on as a GET, which announces no body it does not have.
    for (std::string data : {"a=1", ""}) {
        HttpRequest post = request("/test/redirect?n=2&to=/test/echo");
        post.method = "POST";
        post.postData = data;
        Echo e = parseEcho(HttpFetch(post));
        EXPECT_EQ(e.requestLine, "GET /test/echo") << data;
        EXPECT_EQ(e.headers.count("content-length"), 0u) << data;
        EXPECT_EQ(e.headers.count("content-type"), 0u) << data;
    }
}

TEST_F(HttpClient, CredentialsAreSentWhenTheServerAsksForThem) {
    HttpRequest r = request("/test/auth");
    EXPECT_EQ(HttpFetch(r), "credentials needed");
    r.user = "u";
    r.password = "p";
    EXPECT_EQ(HttpFetch(r), "Authorization: Basic dTpw");

    HttpRequest unasked = request("/test/echo");
    unasked.user = "u";
    unasked.password = "p";
    EXPECT_EQ(parseEcho(HttpFetch(unasked)).headers.count("authorization"), 0u);
}

TEST_F(HttpClient, HostileServersEndInAnEmptyBody) {
    std::string headers = "stale";
    EXPECT_EQ(HttpFetch(request("/test/redirect?n=11"), &headers), "");
    EXPECT_EQ(headers, "");
    EXPECT_EQ(HttpFetch(request("/test/oversized?mb=65")), "");
    EXPECT_GT(HttpFetch(request("/test/oversized?mb=2")).size(), 2u * 1024 * 1024 - 1);

    HttpRequest silent = request("/test/silent");
    silent.timeoutSeconds = 1;
    auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(HttpFetch(silent), "");
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));

    HttpRequest closed = request("/");
    closed.url = "http://127.0.0.1:1/";
    EXPECT_FALSE(PerformHttpRequest(closed).completed);
    HttpRequest tlsOnPlainPort = request("/test/echo");
    tlsOnPlainPort.url = "https://rdzw.localhost:" + std::to_string(site.port()) + "/test/echo";
    EXPECT_EQ(HttpFetch(tlsOnPlainPort), "");
}

} // namespace
