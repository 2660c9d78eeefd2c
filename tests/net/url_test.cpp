#include "net/http_client.h"
#include "net/url.h"

#include <gtest/gtest.h>

using namespace lanxi;

namespace {

TEST(UrlPieces, HostPathAndPortAsTheClientComputesThem) {
    struct Case {
        std::string url, host, hostWithPort, path;
        int port;
    } cases[] = {
        {"http://WWW.Example.COM:8080/Book/1.html?a=B&c=1", "www.example.com",
         "www.example.com:8080", "/Book/1.html?a=B&c=1", 8080},
        {"http://rdzw.localhost/Html/Book/1/1/2.html", "rdzw.localhost", "rdzw.localhost",
         "/Html/Book/1/1/2.html", 80},
        {"http://kanshuzhan.localhost:8733", "kanshuzhan.localhost", "kanshuzhan.localhost:8733",
         "/", 8733},
        {"rdzw.localhost:81/x", "rdzw.localhost", "rdzw.localhost:81", "/x", 81},
        {"https://Secure.Example/a", "secure.example", "secure.example", "/a", 443},
        // The scheme that comes first decides; an address in the query does not.
        {"https://a.example/?u=http://b.example/x", "a.example", "a.example",
         "/?u=http://b.example/x", 443},
        {"http://a.example/?u=https://b.example/x", "a.example", "a.example",
         "/?u=https://b.example/x", 80},
        {"http://rdzw.localhost:8733//Book/55/Index.aspx", "rdzw.localhost", "rdzw.localhost:8733",
         "//Book/55/Index.aspx", 8733},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UrlHost(c.url), c.host) << c.url;
        EXPECT_EQ(UrlHost(c.url, true), c.hostWithPort) << c.url;
        EXPECT_EQ(UrlPath(c.url), c.path) << c.url;
        EXPECT_EQ(UrlPort(c.url), c.port) << c.url;
    }
}

TEST(RequestHeaders, DefaultsAreAddedOnlyWhenAbsent) {
    HttpRequest r;
    r.url = "http://rdzw.localhost:8733/a.html";
    PreparedHeaders p = PrepareRequestHeaders(r);
    ASSERT_TRUE(p.accepted);
    EXPECT_FALSE(p.isPost);
    EXPECT_EQ(p.block, "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
                       "application/x-shockwave-flash, application/vnd.ms-excel, "
                       "application/vnd.ms-powerpoint, application/msword, */*\r\n"
                       "Referer: http://rdzw.localhost:8733/a.html\r\n"
                       "Accept-Language: zh-cn\r\n");

    // A line break inside an address cut from a page cannot start a header of its own.
    HttpRequest injected;
    injected.url = "http://x/a\r\nX-Evil: 1";
    EXPECT_EQ(PrepareRequestHeaders(injected).block.find("\r\nX-Evil"), std::string::npos);

    r.extraHeaders = "accept: text/html\r\nREFERER: http://elsewhere/\r\n";
    EXPECT_EQ(PrepareRequestHeaders(r).block,
              "accept: text/html\r\nREFERER: http://elsewhere/\r\nAccept-Language: zh-cn\r\n");
}

TEST(RequestHeaders, MethodsAndPostBodies) {
    struct Case {
        std::string method, postData, extra;
        bool accepted, isPost;
        std::string tail; // what the block ends with
    } cases[] = {
        {"", "", "", true, false, "Accept-Language: zh-cn\r\n"},
        {"get", "", "", true, false, "Accept-Language: zh-cn\r\n"},
        {"post", "a=1&b=2", "", true, true,
         "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 7\r\n"},
        {"POST", "a=1&b=2", "content-type: text/plain\r\n", true, true,
         "Accept-Language: zh-cn\r\nContent-Length: 7\r\n"},
        {"POST", "", "", true, true, "Accept-Language: zh-cn\r\n"},
        {"PUT", "x", "", false, false, ""},
        {"DELETE", "", "", false, false, ""},
    };
    for (const Case& c : cases) {
        HttpRequest r;
        r.url = "http://x/";
        r.method = c.method;
        r.postData = c.postData;
        r.extraHeaders = c.extra;
        PreparedHeaders p = PrepareRequestHeaders(r);
        EXPECT_EQ(p.accepted, c.accepted) << c.method;
        EXPECT_EQ(p.isPost, c.isPost) << c.method;
        if (c.accepted) {
            ASSERT_GE(p.block.size(), c.tail.size());
            EXPECT_EQ(p.block.substr(p.block.size() - c.tail.size()), c.tail) << c.method;
        }
    }
}

TEST(UrlPieces, DirectoryAndLastSegment) {
    const std::string url = "http://rdzw.localhost:8733//Html/Book/12/12345/678.html";
    EXPECT_EQ(UrlDirectory(url), "http://rdzw.localhost:8733//Html/Book/12/12345/");
    EXPECT_EQ(UrlDirectory("no-slash.html"), "no-slash.html");
    EXPECT_EQ(UrlLastSegment(url, 1), "12345");
    EXPECT_EQ(UrlLastSegment(url, 0), "678");
    EXPECT_EQ(UrlLastSegment("http://x/a/9.HTML", 2), "9");
    EXPECT_EQ(UrlLastSegment("no-slash.html", 1), "");
}

TEST(UrlPieces, RelativeAddressesGetTheSiteBase) {
    EXPECT_EQ(CompleteSiteAddress("/Html/Book/1/1/2.shtml", "http://rdzw.localhost:8733/"),
              "http://rdzw.localhost:8733//Html/Book/1/1/2.shtml");
    EXPECT_EQ(CompleteSiteAddress("http://a/b.html", "http://rdzw.localhost:8733/"),
              "http://a/b.html");
    EXPECT_EQ(CompleteSiteAddress("x?u=https://a/", "http://b/"), "x?u=https://a/");
}

} // namespace
