#include "platform/paths.h"
#include "rules/site_rules.h"
#include "support/temp_home.h"
#include "text/gbk_convert.h"
#include "text/gbk_text.h"

#include <gtest/gtest.h>

#include <thread>

using namespace lanxi;
using namespace lanxi::literals;

namespace {

class SiteRules : public ::testing::Test {
protected:
    test::TempHome home;
};

TEST_F(SiteRules, DefaultTextsAreGbkWithCrLfAndNoFinalLineBreak) {
    for (int site : {0, 1}) {
        std::string_view text = DefaultRuleText(site);
        ASSERT_FALSE(text.empty());
        EXPECT_NE(text.substr(text.size() - 2), "\r\n");
        std::vector<std::string> lines = gbk::split(text, "\r\n");
        EXPECT_EQ(lines.front(), "[普通信息]"_gbk);
        for (const std::string& line : lines) {
            EXPECT_EQ(line.find('\n'), std::string::npos) << "bare LF in site " << site;
            EXPECT_EQ(line.find('\r'), std::string::npos) << "bare CR in site " << site;
        }
        EXPECT_EQ(lines.size(), site == 0 ? 47u : 45u);
        EXPECT_NE(
            gbk::find(text, "登录提交地址=/login.php?do=submit&jumpurl=%2Findex.php \r\n"_gbk), -1);
        EXPECT_NE(
            gbk::find(
                text,
                "\r\n<!--html过滤词，规则 \"被替换词%&替换后词\" 换行用\"#换行表示-->\r\n"_gbk),
            -1);
    }
    EXPECT_TRUE(DefaultRuleText(2).empty());
}

TEST_F(SiteRules, MissingFilesAreWrittenByteForByteOnFirstRead) {
    for (int site : {0, 1}) {
        ASSERT_FALSE(std::filesystem::exists(RulePath(site)));
        ReadRule("书籍内容"_gbk, "章节书名"_gbk, "", site);
        EXPECT_EQ(test::ReadBytes(RulePath(site)), DefaultRuleText(site));
    }
    std::filesystem::remove(RulePath(1));
    ReadRule("anything", "at all", "", 1);
    EXPECT_EQ(test::ReadBytes(RulePath(1)), DefaultRuleText(1));
}

TEST_F(SiteRules, DefaultValuesReadBack) {
    struct Case {
        int site;
        std::string section, key, expected;
    } cases[] = {
        {1, "书籍内容", "章节书名", "<title>(.*?)-(.*?)最新章节-看书站</title>"},
        {0, "书籍内容", "章节书名", "<title>(.*?)最新章节， (.*?)- RD中文网</title>"},
        {0, "普通信息", "网站地址", "http://rdzw.localhost:8733/"},
        {1, "普通信息", "网站地址", "http://kanshuzhan.localhost:8733"},
        {1, "书页采集", "初级内容",
         "<td width=\"80%\" align=\"center\" valign=\"middle\">|"
         "http://search.localhost/baidu?tn=lvdan_pg&word="},
        {0, "普通信息", "登录提交地址", "/login.php?do=submit&jumpurl=%2Findex.php"},
        {1, "书籍目录", "目录初级内容",
         "+到雅虎收藏</a></li>|<center><script language=\"javascript\" type=\"text/javascript\""},
        {1, "分类采集", "分类地址示例", ""},
        {0, "书页采集", "书页地址示例", "/Book/<%id%>/Index.aspx"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GbkToUtf8(ReadRule(Utf8ToGbk(c.section), Utf8ToGbk(c.key), "none", c.site)),
                  c.expected)
            << c.site << " " << c.section << " " << c.key;
    }
    // The TAB inside the two long site-1 patterns survives.
    EXPECT_NE(ReadRule("搜索书籍"_gbk, "搜索规则"_gbk, "", 1).find("</td>\t<tdclass"),
              std::string::npos);
    EXPECT_NE(ReadRule("分类采集"_gbk, "分类规则"_gbk, "", 1).find("</td>\t<td class"),
              std::string::npos);
    // Site 0's list is site 1's list plus four items.
    std::string list0 = ReadRule("普通信息"_gbk, "HTML", "", 0);
    std::string list1 = ReadRule("普通信息"_gbk, "HTML", "", 1);
    EXPECT_EQ(list0.rfind(list1, 0), 0u);
    EXPECT_EQ(gbk::split(list0.substr(list1.size()), "|").size(), 4u);
}

TEST_F(SiteRules, SiteNumbersAboveOneMeanTheDefaultSiteAndNegativeOnesNothing) {
    EXPECT_EQ(ReadRule("普通信息"_gbk, "网站地址"_gbk, "", 5), "http://rdzw.localhost:8733/");
    EXPECT_EQ(RulePath(5), std::filesystem::path());
    EXPECT_EQ(ReadRule("普通信息"_gbk, "网站地址"_gbk, "fallback", -1), "");
    EXPECT_EQ(SiteBaseAddress(), "");
    EXPECT_FALSE(std::filesystem::exists(RulePath(1)));
}

TEST_F(SiteRules, EveryReadSeesTheFileAsItIsNowAndSetsTheBaseAddress) {
    ReadRule("x", "y", "", 1);
    EXPECT_EQ(SiteBaseAddress(), "http://kanshuzhan.localhost:8733");
    std::string edited = test::ReadBytes(RulePath(1));
    edited += "\r\n[extra]\r\nkey = \"quoted value\"   ";
    test::WriteBytes(RulePath(1), edited);
    EXPECT_EQ(ReadRule("extra", "KEY", "", 1), "quoted value");
    EXPECT_EQ(ReadRule("extra", "missing", "the default", 1), "the default");
    ReadRule("x", "y", "", 0);
    EXPECT_EQ(SiteBaseAddress(), "http://rdzw.localhost:8733/");
    // An existing file is never replaced by the defaults.
    EXPECT_EQ(test::ReadBytes(RulePath(1)), edited);
}

TEST_F(SiteRules, EachThreadSeesTheBaseAddressOfItsOwnLastRead) {
    ReadRule("x", "y", "", 0);
    std::string seenByWorker;
    std::thread worker([&] {
        ReadRule("x", "y", "", 1);
        seenByWorker = SiteBaseAddress();
    });
    worker.join();
    EXPECT_EQ(seenByWorker, "http://kanshuzhan.localhost:8733");
    EXPECT_EQ(SiteBaseAddress(), "http://rdzw.localhost:8733/");
}

TEST_F(SiteRules, BookPageUrlUsesTheIdPrefixAndTheSiteBase) {
    const BookPageAddress a = BookPageUrl("12345", "1", true);
    EXPECT_EQ(a.url, "http://kanshuzhan.localhost:8733/bookinfo/1/12345.html");
    EXPECT_EQ(a.siteBase, "http://kanshuzhan.localhost:8733");
    EXPECT_EQ(BookPageUrl("789", "1", true).url,
              "http://kanshuzhan.localhost:8733/bookinfo/0/789.html");
    EXPECT_EQ(BookPageUrl("1234", "1", true).url,
              "http://kanshuzhan.localhost:8733/bookinfo/1/1234.html");

    // Without a given site the base is whatever was read last; the template still follows
    // the site number passed in.
    ReadRule("x", "y", "", 0);
    const BookPageAddress b = BookPageUrl("123", "1", false);
    EXPECT_EQ(b.url, "http://rdzw.localhost:8733//bookinfo/0/123.html");
    EXPECT_EQ(b.siteBase, "http://rdzw.localhost:8733/");
    EXPECT_EQ(BookPageUrl("55", "0", true).url, "http://rdzw.localhost:8733//Book/55/Index.aspx");
}

} // namespace
