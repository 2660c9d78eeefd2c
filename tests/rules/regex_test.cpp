#include "rules/regex.h"
#include "text/gbk_convert.h"

#include <gtest/gtest.h>

using namespace lanxi;
using namespace lanxi::literals;

namespace {

std::vector<std::string> firstGroups(const std::vector<RegexMatch>& matches) {
    std::vector<std::string> out;
    for (const RegexMatch& m : matches) {
        out.push_back(group(m, 1));
    }
    return out;
}

TEST(Regex, FindsAllMatchesLeftToRightWithGroups) {
    auto matches =
        findAll("<li><a href=\"(.*?)\">(.*?)</a></li>",
                "<li><a href=\"1.html\">One</a></li>\n<li><a href=\"2.html\">Two</a></li>");
    ASSERT_EQ(matches.size(), 2u);
    EXPECT_EQ(group(matches[0], 1), "1.html");
    EXPECT_EQ(group(matches[0], 2), "One");
    EXPECT_EQ(group(matches[1], 2), "Two");
    EXPECT_EQ(group(matches[1], 0), "<li><a href=\"2.html\">Two</a></li>");
}

TEST(Regex, DotMatchesLineBreaksAndCaseMatters) {
    EXPECT_EQ(firstGroups(findAll("<b>(.*?)</b>", "<b>a\r\nb</b>")),
              std::vector<std::string>{"a\r\nb"});
    EXPECT_TRUE(findAll("<B>(.*?)</B>", "<b>x</b>").empty());
}

TEST(Regex, MatchesGbkPagesWithTheDefaultTitleRule) {
    std::string page = "<html><title>某书-第一章最新章节-看书站</title>"_gbk;
    auto matches = findAll("<title>(.*?)-(.*?)最新章节-看书站</title>"_gbk, page);
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(group(matches[0], 1), "某书"_gbk);
    EXPECT_EQ(group(matches[0], 2), "第一章"_gbk);
}

TEST(Regex, MissingAndAbsentGroupsAreEmpty) {
    auto matches = findAll("a(x)?(b)", "ab");
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(group(matches[0], 1), "");
    EXPECT_EQ(group(matches[0], 2), "b");
    EXPECT_EQ(group(matches[0], 7), "");
    EXPECT_EQ(group(matches[0], -1), "");
}

TEST(Regex, BadPatternsAndHostilePagesGiveNoMatches) {
    Regex broken;
    EXPECT_FALSE(broken.compile("(unclosed"));
    EXPECT_TRUE(broken.findAll("(unclosed").empty());
    EXPECT_TRUE(findAll("[z-a]", "abc").empty());

    // Catastrophic backtracking: the engine's complexity limit ends it without an exception.
    std::string hostile(5000, 'x');
    EXPECT_TRUE(findAll("(x+x+)+y", hostile).empty());
}

TEST(Regex, MatchesBeginOnlyAtCharacterStarts) {
    // The second byte of the first character and the first byte of the next spell "第".
    const std::string text = std::string("\xC4\xB5\xDA\xC1") + "<第一章>"_gbk;
    EXPECT_EQ(firstGroups(findAll("第(.*?)章"_gbk, text)), std::vector<std::string>{"一"_gbk});
    EXPECT_TRUE(findAll("A", "\xD6\x41").empty()); // 0x41 is a second byte here
}

TEST(Regex, PatternsThatMatchNothingStillEnd) {
    EXPECT_EQ(findAll("x*", "abc").size(), 4u);
    EXPECT_EQ(findAll("x*", "中a"_gbk).size(), 3u); // steps over whole characters
    // After an empty match a non-empty one is tried at the same place, as in Perl.
    std::vector<std::string> whole;
    for (const RegexMatch& m : findAll("a*?", "aa")) {
        whole.push_back(group(m, 0));
    }
    EXPECT_EQ(whole, (std::vector<std::string>{"", "a", "", "a", ""}));
    // A text cut after the first byte of a character ends there.
    EXPECT_EQ(findAll("x*", "a\xD6").size(), 3u); // before a, before the lone byte, at the end
    EXPECT_TRUE(findFirst("$", "a\xD6"));
    // An empty pattern is a missing rule key: no matches, not one per byte.
    EXPECT_TRUE(findAll("", "ab").empty());
    EXPECT_FALSE(findFirst("", "ab"));
}

TEST(Regex, FindFirstStopsAtTheFirstMatch) {
    auto first = findFirst("<b>(.*?)</b>", "<b>1</b><b>2</b>");
    ASSERT_TRUE(first);
    EXPECT_EQ(group(*first, 1), "1");
    EXPECT_FALSE(findFirst("<i>", "<b>1</b>"));
}

} // namespace
