#pragma once
// One DemoSite on a free port and a TempHome whose rule files point at it, plus the small
// fetch and rule helpers the demo-site tests share.
#include "support/temp_home.h"
#include "tools/demo_site/demo_site.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

namespace lanxi::test {

struct Fetched {
    bool answered = false; // false: no response (refused, timed out, connection dropped)
    int status = 0;
    std::string body;
    httplib::Headers headers;
};

class DemoSiteFixture : public ::testing::Test {
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    static int port();
    // "rdzw.localhost:<port>" for "rdzw.localhost".
    static std::string hostHeader(std::string_view host);
    // GET host + path, the path sent exactly as given.
    static Fetched get(std::string_view host, const std::string& path);
    // GET an absolute "http://host:port/path" address, as the reader builds them.
    static Fetched getUrl(std::string_view url);

private:
    static std::unique_ptr<TempHome> home_;
    static std::unique_ptr<demo::DemoSite> site_;
};

// A response header's value; empty when absent.
std::string Header(const Fetched& fetched, const std::string& name);

// The value of a rule of the site (section and key in UTF-8), read through ReadRule.
std::string Rule(std::string_view section, std::string_view key, int site);
// The site's base address from its rule file.
std::string Base(int site);

// The page cut with a delimiter-pair rule value, as the reader cuts it.
std::string Cut(std::string_view page, std::string_view pairRule);
// A page as the reader normalises it: blanks and CR LF removed (site-1 search), or only
// CR LF (site-0 search, category pages).
std::string WithoutBlanks(std::string_view text);
std::string WithoutLineBreaks(std::string_view text);
// Percent-encodes every byte except ASCII letters and digits, as the reader encodes keywords.
std::string EncodeKeyword(std::string_view gbk);
// Replaces every occurrence of `what` in `text`.
std::string ReplaceAll(std::string text, std::string_view what, std::string_view with);
bool Contains(std::string_view text, std::string_view part);
bool StartsWith(std::string_view text, std::string_view head);
bool EndsWith(std::string_view text, std::string_view tail);
bool ContainsIgnoringCase(std::string_view text, std::string_view part);

} // namespace lanxi::test
