#include "reader/directory.h"
#include "support/temp_home.h"
#include "text/gbk_convert.h"

#include <gtest/gtest.h>

using namespace lanxi;
using namespace lanxi::literals;

namespace {

TEST(DirectoryAddress, SiteZeroReadsItsIndexAndRelativeAddressesGetTheBase) {
    struct Case {
        std::string address;
        int site;
        std::string expected;
    } cases[] = {
        {"http://r/Html/Book/123/4567.shtml", 0, "http://r/Html/Book/123/index.shtml"},
        {"http://k/files/1/1234/", 1, "http://k/files/1/1234/"},
        {"/book/1/", 1, "http://base/book/1/"},
        {"/Html/Book/1/1/9.shtml", 0, "http://base/Html/Book/1/1/index.shtml"},
        {"x http://k/a/", 1, "x http://k/a/"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DirectoryPageAddress(c.address, c.site, "http://base"), c.expected) << c.address;
    }
}

TEST(DirectoryNumbers, LeadingDigitsOfTheFileName) {
    EXPECT_EQ(ChapterNumberOf("http://k/b/12/7890.html"), 7890);
    EXPECT_EQ(ChapterNumberOf("http://r/Html/Book/1/1/456.Shtml"), 456);
    EXPECT_EQ(ChapterNumberOf("http://k/b/12/abc.html"), 0);
    EXPECT_EQ(ChapterNumberOf("http://k/b/12/99999999999.html"), 0);
    EXPECT_EQ(ChapterAddressFromTemplate("http://k/b/12/<%id%>.html", 7890),
              "http://k/b/12/7890.html");
}

TEST(DirectoryProgress, TruncatesRatherThanRounds) {
    EXPECT_EQ(DirectoryProgressPercent(1, 3), 33);
    EXPECT_EQ(DirectoryProgressPercent(2, 3), 66);
    EXPECT_EQ(DirectoryProgressPercent(3, 3), 100);
}

TEST(DirectoryPage, EntriesTemplateAndBookId) {
    test::TempHome home;
    DirectoryRules rules = ReadDirectoryRules(1);
    std::string page = "<ul>+到雅虎收藏</a></li>"_gbk +
                       "<li><a href=\"7890.html\">第一章</a></li>"
                       "<li><a href=\"7891.html\">第二章</a></li>"
                       "<li><a href=\"intro.html\">序</a></li>"_gbk +
                       "<center><script language=\"javascript\" type=\"text/javascript\" >"
                       "<li><a href=\"9999.html\">outside the pre-cut</a></li>";
    DirectoryListing d = ParseDirectoryPage(page, rules, "http://k/b/12/", 1);
    ASSERT_EQ(d.entries.size(), 3u);
    EXPECT_EQ(d.entries[0].number, 7890);
    EXPECT_EQ(d.entries[0].title, "第一章"_gbk);
    EXPECT_EQ(d.entries[0].url, "http://k/b/12/7890.html");
    EXPECT_EQ(d.entries[2].number, 0);
    EXPECT_EQ(d.chapterTemplate, "http://k/b/12/<%id%>.html");
    EXPECT_EQ(d.bookId, "12");
    EXPECT_EQ(ParseDirectoryPage(page, rules, "http://r/b/12/index.shtml", 0).chapterTemplate,
              "http://r/b/12/<%id%>.Shtml");

    EXPECT_TRUE(ParseDirectoryPage("", rules, "http://k/b/12/", 1).entries.empty());
    DirectoryRules noEnd = rules;
    noEnd.end.clear(); // a rule value without "|": a failed load, not the whole page
    EXPECT_TRUE(ParseDirectoryPage(page, noEnd, "http://k/b/12/", 1).entries.empty());
}

} // namespace
