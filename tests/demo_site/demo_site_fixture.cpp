#include "demo_site/demo_site_fixture.h"

#include "rules/extraction.h"
#include "rules/site_rules.h"
#include "support/demo_rules.h"
#include "text/gbk_convert.h"
#include "text/gbk_text.h"
#include "tools/demo_site/page.h"

namespace lanxi::test {

std::unique_ptr<TempHome> DemoSiteFixture::home_;
std::unique_ptr<demo::DemoSite> DemoSiteFixture::site_;

void DemoSiteFixture::SetUpTestSuite() {
    home_ = std::make_unique<TempHome>();
    site_ = std::make_unique<demo::DemoSite>();
    ASSERT_TRUE(site_->start());
    PointRulesAtPort(site_->port());
}

void DemoSiteFixture::TearDownTestSuite() {
    site_.reset();
    home_.reset();
}

int DemoSiteFixture::port() {
    return site_->port();
}

std::string DemoSiteFixture::hostHeader(std::string_view host) {
    return std::string(host) + ":" + std::to_string(port());
}

Fetched DemoSiteFixture::get(std::string_view host, const std::string& path) {
    httplib::Client client("127.0.0.1", port());
    client.set_read_timeout(10, 0);
    httplib::Result result = client.Get(path.c_str(), {{"Host", hostHeader(host)}});
    if (!result) {
        return {};
    }
    return {true, result->status, result->body, result->headers};
}

Fetched DemoSiteFixture::getUrl(std::string_view url) {
    std::string_view rest = url.substr(url.find("://") + 3);
    size_t slash = rest.find('/');
    std::string_view hostAndPort = rest.substr(0, slash);
    std::string path(slash == std::string_view::npos ? "/" : rest.substr(slash));
    EXPECT_EQ(hostAndPort.substr(hostAndPort.find(':') + 1), std::to_string(port())) << url;
    return get(hostAndPort.substr(0, hostAndPort.find(':')), path);
}

std::string Header(const Fetched& fetched, const std::string& name) {
    auto it = fetched.headers.find(name);
    return it == fetched.headers.end() ? std::string() : it->second;
}

std::string Rule(std::string_view section, std::string_view key, int site) {
    return ReadRule(Utf8ToGbk(section), Utf8ToGbk(key), "", site);
}

std::string Base(int site) {
    return Rule("普通信息", "网站地址", site);
}

std::string Cut(std::string_view page, std::string_view pairRule) {
    MarkerPair pair = SplitMarkerPair(pairRule);
    return ExtractBetween(page, pair.start, pair.end);
}

std::string WithoutBlanks(std::string_view text) {
    return ReplaceAll(WithoutLineBreaks(text), " ", "");
}

std::string WithoutLineBreaks(std::string_view text) {
    return ReplaceAll(std::string(text), "\r\n", "");
}

std::string EncodeKeyword(std::string_view gbk) {
    return demo::PercentEncode(gbk);
}

std::string ReplaceAll(std::string text, std::string_view what, std::string_view with) {
    return gbk::replaceAll(text, what, with);
}

bool Contains(std::string_view text, std::string_view part) {
    return gbk::find(text, part) != gbk::kNotFound;
}

bool StartsWith(std::string_view text, std::string_view head) {
    return text.substr(0, head.size()) == head;
}

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
    return gbk::find(text, part, 1, true) != gbk::kNotFound;
}

} // namespace lanxi::test
