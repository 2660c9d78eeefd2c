#include "reader/chapter_page.h"
#include "rules/site_rules.h"
#include "support/temp_home.h"
#include "text/gbk_convert.h"

#include <gtest/gtest.h>

using namespace lanxi;
using namespace lanxi::literals;

namespace {

class ChapterPageTest : public ::testing::Test {
protected:
    test::TempHome home;
    ChapterRules site1 = ReadChapterRules(1);

    // A site-1 chapter page with the given links and text.
    static std::string page(const std::string& prev, const std::string& next,
                            const std::string& text) {
        return "<html><title>"_gbk + "某书-第二章 风起最新章节-看书站"_gbk +
               "</title><script>var preview_page = \"" + prev + "\";var next_page = \"" + next +
               "\";var article_id = \"1234\";var chapter_id = \"2\";</script>"
               "</td></tr></table></td></tr></table>" +
               text + "<!-- 翻页上AD开始 --><div>"_gbk;
    }
    const std::string address = "http://kanshuzhan.localhost:8733/files/1/1234/2.html";
};

TEST_F(ChapterPageTest, CutsTitlesLinksIdAndCleanText) {
    ChapterPage c =
        ParseChapterPage(page("1.html", "3.html", "第一段<br />&nbsp;第二段"_gbk), site1, address);
    EXPECT_TRUE(c.titleFound);
    EXPECT_EQ(c.title, "某书"_gbk);
    EXPECT_EQ(c.chapterTitle, "第二章 风起"_gbk);
    EXPECT_EQ(c.bookId, "1234");
    EXPECT_EQ(c.content, "第一段\r\n 第二段"_gbk);
    EXPECT_TRUE(c.ok);
    EXPECT_FALSE(c.isImage);
    EXPECT_FALSE(c.isFirst);
    EXPECT_FALSE(c.isLast);
    EXPECT_EQ(c.prevUrl, "http://kanshuzhan.localhost:8733/files/1/1234/1.html");
    EXPECT_EQ(c.nextUrl, "http://kanshuzhan.localhost:8733/files/1/1234/3.html");
}

TEST_F(ChapterPageTest, FirstAndLastChapterDecisions) {
    struct Case {
        std::string prev, next;
        bool first, last;
    } cases[] = {
        {"1.html", "3.html", false, false},
        {"index.html", "3.html", true, false},
        {"Index.html", "3.html", true, false},
        {"1.html", "INDEX.html", false, true},
        {"1.html", "12345678901.html", false, false}, // exactly 10 bytes longer
        {"1.html", "123456789012.html", false, true}, // 11 bytes longer
        {"", "", false, false},
    };
    for (const Case& c : cases) {
        ChapterPage p = ParseChapterPage(page(c.prev, c.next, "text"), site1, address);
        EXPECT_EQ(p.isFirst, c.first) << c.prev;
        EXPECT_EQ(p.isLast, c.last) << c.next;
        EXPECT_EQ(p.prevUrl.empty(), c.first) << c.prev;
        EXPECT_EQ(p.nextUrl.empty(), c.last) << c.next;
    }
}

TEST_F(ChapterPageTest, MissingMarkersGiveAFailedReadWithEmptyLinks) {
    ChapterPage c = ParseChapterPage("<html>nothing here</html>", site1, address);
    EXPECT_FALSE(c.titleFound);
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(c.content, "");
    // An empty next link is not a last chapter: it points at the chapter's own directory.
    EXPECT_EQ(c.nextUrl, "http://kanshuzhan.localhost:8733/files/1/1234/");
    ChapterPage oneByte = ParseChapterPage(page("1.html", "3.html", "x"), site1, address);
    EXPECT_FALSE(oneByte.ok);
}

TEST_F(ChapterPageTest, ImageChaptersGetAbsoluteSources) {
    ChapterPage c =
        ParseChapterPage(page("1.html", "3.html", "<img src=\"/pic/1.gif\" />"), site1, address);
    EXPECT_TRUE(c.isImage);
    EXPECT_EQ(AbsoluteImageSources(c.content, "http://kanshuzhan.localhost:8733"),
              "<img src=\"http://kanshuzhan.localhost:8733/pic/1.gif\" />");
    EXPECT_EQ(ImageChapterPage("书"_gbk, "章"_gbk, "<img>", "<p>end</p>"),
              "书--章<BR /><BR /><img><p>end</p>"_gbk);
}

TEST(ImageLogDate, LeavesOutTrailingZeroParts) {
    std::tm t{};
    t.tm_year = 110;
    t.tm_mon = 11;
    t.tm_mday = 8;
    struct Case {
        int h, m, s;
        std::string expected;
    } cases[] = {
        {9, 5, 3, "2010年12月8日9时5分3秒"}, {9, 5, 0, "2010年12月8日9时5分"},
        {9, 0, 0, "2010年12月8日9时"},       {0, 0, 0, "2010年12月8日"},
        {0, 0, 7, "2010年12月8日0时0分7秒"},
    };
    for (const Case& c : cases) {
        t.tm_hour = c.h;
        t.tm_min = c.m;
        t.tm_sec = c.s;
        EXPECT_EQ(GbkToUtf8(FormatImageLogDate(t)), c.expected);
    }
}

} // namespace
