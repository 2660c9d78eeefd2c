#include "rules/extraction.h"
#include "rules/site_rules.h"
#include "support/temp_home.h"
#include "text/gbk_convert.h"

#include <gtest/gtest.h>

using namespace lanxi;
using namespace lanxi::literals;

namespace {

TEST(ExtractBetween, CutsBetweenTheFirstStartAndTheNextEnd) {
    struct Case {
        std::string text, start, end, expected;
    } cases[] = {
        {"a<b>X</b>c", "<b>", "</b>", "X"},
        {"a<b>X</b>c", "<b>", "</i>", ""},
        {"a<b>X</b>c<b>Y</b>", "<b>", "</b>", "X"},
        {"a<b>X</b>c", "", "</b>", "a<b>X"},
        {"a<b>X</b>c", "<b>", "", ""},
        {"a<b>X</b>c", "<i>", "</b>", ""}, // missing start: empty, not garbage
        {"</b>a<b>X</b>", "<b>", "</b>", "X"},
        {"", "", "", ""},
        {"ab", "ab", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtractBetween(c.text, c.start, c.end), c.expected)
            << c.text << " [" << c.start << "|" << c.end << "]";
    }
}

TEST(ExtractBetween, NeverMatchesAMarkerInsideATwoByteCharacter) {
    // The first "|a|" begins with the second byte of the character 0x81 0x7C.
    std::string text = "\x81|a|first|a|second|e|";
    EXPECT_EQ(ExtractBetween(text, "|a|", "|e|"), "second");
}

TEST(MarkerPair, SplitsAtTheBarAndTreatsAMissingEndAsEmpty) {
    MarkerPair p = SplitMarkerPair("<b>|</b>");
    EXPECT_EQ(p.start, "<b>");
    EXPECT_EQ(p.end, "</b>");
    MarkerPair broken = SplitMarkerPair("<b>");
    EXPECT_EQ(broken.start, "<b>");
    EXPECT_EQ(broken.end, "");
    EXPECT_EQ(ExtractBetween("<b>X</b>", broken.start, broken.end), "");
}

class HtmlFilter : public ::testing::Test {
protected:
    test::TempHome home;
    std::string siteList = ReadRule("普通信息"_gbk, "HTML", "", kSiteKanshuzhan);
};

TEST_F(HtmlFilter, DefaultListCleansChapterMarkup) {
    struct Case {
        std::string html, expected;
    } cases[] = {
        {"a<br />b", "a\r\nb"},
        {"a<BR />b", "a\r\nb"},
        {"a<br>b", "a\r\nb"},
        {"one</p><p>two", "one\r\n two"},
        {"x&nbsp;y", "x y"},
        {"&ldquo;hi&rdquo;", "“hi”"_gbk},
        {"&lsquo;hi&rsquo;", "“hi”"_gbk},
        {"a&amp;b", "a b"},
        {"<span class=\"wartermark\"></span>text", " text"},
        {"wait&hellip;", "wait "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ApplyHtmlFilterList(c.html, siteList), c.expected) << c.html;
    }
}

TEST_F(HtmlFilter, ItemRulesFollowTheListFormat) {
    struct Case {
        std::string list, text, expected;
    } cases[] = {
        {"X%&|", "aXb", "aXb"},             // nothing after %&: ignored
        {"X%& |", "aXb", "a b"},            // one blank replaces
        {"X%&Y%&Z|", "aXb", "aXb"},         // three parts: ignored
        {"%&Y|", "aXb", "aXb"},             // empty find text: ignored
        {"x%&Y", "aXb", "aYb"},             // case ignored, no final bar needed
        {"X%&#换行|"_gbk, "aXb", "a\r\nb"}, // the line-break mark
        {"a  b%&c|", "a b", "c"},           // two blanks in the list act as one
        {"a%&b|b%&c|", "a", "c"},           // later items see earlier output
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ApplyHtmlFilterList(c.text, c.list), c.expected) << c.list;
    }
}

TEST_F(HtmlFilter, AppliesSiteZerosListAndLeavesItsAddress) {
    ReadRule("普通信息"_gbk, "HTML", "", kSiteKanshuzhan);
    ASSERT_EQ(SiteBaseAddress(), "http://kanshuzhan.localhost:8733");
    std::string watermark = "读好书,请记住RD中文网唯一地址(http://rdzw.localhost:8733)"_gbk;
    EXPECT_EQ(ApplyHtmlFilter("a" + watermark + "b<br />c"), "a b\r\nc");
    EXPECT_EQ(SiteBaseAddress(), "http://rdzw.localhost:8733/");
}

} // namespace
