#include "text/gbk_convert.h"
#include "text/gbk_text.h"

#include <gtest/gtest.h>

using namespace lanxi;
using namespace lanxi::literals;

namespace {

// "\x81\x41" is one two-byte character whose second byte is the ASCII letter A;
// "\x81\x7C" one whose second byte is "|".
const std::string kTrailA = "\x81\x41";
const std::string kTrailBar = "\x81\x7C";

TEST(GbkFind, PositionsAreOneBasedAndFailuresMinusOne) {
    struct Case {
        std::string text, needle;
        gbk::Pos from;
        bool ignoreCase;
        gbk::Pos expected;
    } cases[] = {
        {"abcabc", "bc", 1, false, 2},
        {"abcabc", "bc", 3, false, 5},
        {"abcabc", "x", 1, false, -1},
        {"abc", "", 1, false, 1},
        {"", "", 1, false, -1},
        {"abc", "c", 4, false, -1},
        {"abc", "a", 0, false, 1},
        {"xABCx", "abc", 1, true, 2},
        {"xABCx", "abc", 1, false, -1},
        // Never inside a two-byte character, with or without case folding.
        {kTrailA + "BA", "A", 1, false, 4},
        {kTrailA + "ba", "A", 1, true, 4},
        {"\x81\x61", "A", 1, true, -1},
        {kTrailBar + "|", "|", 1, false, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gbk::find(c.text, c.needle, c.from, c.ignoreCase), c.expected)
            << c.text << " / " << c.needle << " from " << c.from;
    }
}

TEST(GbkFind, FindLastSkipsSecondBytes) {
    EXPECT_EQ(gbk::findLast("a/b/c", "/"), 4);
    EXPECT_EQ(gbk::findLast("abc", "/"), -1);
    EXPECT_EQ(gbk::findLast("A" + kTrailA, "a", true), 1);
}

TEST(GbkSlices, MidLeftRightAndRemoveAtKeepTheirEdges) {
    EXPECT_EQ(gbk::mid("abcdef", 2, 3), "bcd");
    EXPECT_EQ(gbk::mid("abcdef", 5, 10), "ef");
    EXPECT_EQ(gbk::mid("abcdef", 0, 2), "");
    EXPECT_EQ(gbk::mid("abcdef", 7, 2), "");
    EXPECT_EQ(gbk::mid("abcdef", 2, 0), "");
    EXPECT_EQ(gbk::left("abc", 2), "ab");
    EXPECT_EQ(gbk::left("abc", -1), "");
    EXPECT_EQ(gbk::left("abc", 9), "abc");
    EXPECT_EQ(gbk::right("abc", 2), "bc");
    EXPECT_EQ(gbk::right("abc", 0), "");
    EXPECT_EQ(gbk::right("abc", 9), "abc");
    EXPECT_EQ(gbk::removeAt("abcdef", 2, 2), "adef");
    EXPECT_EQ(gbk::removeAt("abcdef", 9, 2), "abcdef");
}

TEST(GbkReplace, LeftToRightNonOverlappingWithLimits) {
    EXPECT_EQ(gbk::replaceAll("aaaa", "aa", "b"), "bb");
    EXPECT_EQ(gbk::replaceAll("   ", "  ", " "), "  ");
    EXPECT_EQ(gbk::replaceAll("abab", "a", "x", 2), "abxb");
    EXPECT_EQ(gbk::replaceAll("abab", "a", "x", 1, 1), "xbab");
    EXPECT_EQ(gbk::replaceAll("aBc", "b", "-", 1, -1, true), "a-c");
    EXPECT_EQ(gbk::replaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(gbk::replaceAll(kTrailA + "A", "A", "x"), kTrailA + "x");
}

TEST(GbkSplit, KeepsInnerEmptyPiecesAndDropsTheOneAfterAFinalSeparator) {
    using V = std::vector<std::string>;
    EXPECT_EQ(gbk::split("a||b|", "|"), (V{"a", "", "b"}));
    EXPECT_EQ(gbk::split("|a", "|"), (V{"", "a"}));
    EXPECT_EQ(gbk::split("|", "|"), (V{""}));
    EXPECT_EQ(gbk::split("a%&b", "%&"), (V{"a", "b"}));
    EXPECT_EQ(gbk::split("", "|"), V{});
    EXPECT_EQ(gbk::split("a|b", ""), (V{"a|b"}));
    EXPECT_EQ(gbk::split(kTrailBar + "a|b", "|"), (V{kTrailBar + "a", "b"}));
}

TEST(GbkCase, FoldsOnlyAsciiCharacters) {
    EXPECT_EQ(gbk::lower("AbC" + kTrailA), "abc" + kTrailA);
    EXPECT_EQ(gbk::upper("aBc\x81\x61"), "ABC\x81\x61");
}

TEST(GbkFullWidth, MapsPrintableAsciiAndCopiesEverythingElse) {
    EXPECT_EQ(gbk::toFullWidth("A1 ~"), "\xA3\xC1\xA3\xB1\xA1\xA1\xA1\xAB");
    EXPECT_EQ(gbk::toFullWidth("\t\r\n"), "\t\r\n");
    EXPECT_EQ(gbk::toFullWidth(kTrailA + "}"), kTrailA + "\xA3\xFD");
}

TEST(GbkNumber, ReadsTheLeadingNumberLeniently) {
    struct Case {
        std::string text;
        double value;
    } cases[] = {{"12abc", 12}, {"-3.5x", -3.5}, {"abc", 0},  {"", 0},
                 {" 7", 7},     {"+4", 4},       {".5", 0.5}, {"15527148", 15527148}};
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(gbk::number(c.text), c.value) << c.text;
    }
    EXPECT_EQ(gbk::integer("-3.9"), -3);
    EXPECT_EQ(gbk::integer("12.9"), 12);
    EXPECT_EQ(gbk::integer("99999999999999999999999"), 9200000000000000000LL);
}

TEST(GbkText, PagesEndAtTheirFirstNulByte) {
    EXPECT_EQ(gbk::untilNul(std::string_view("ab\0cd", 5)), "ab");
    EXPECT_EQ(gbk::untilNul("abc"), "abc");
}

TEST(GbkConvert, RoundTripsAndReplacesWhatCannotBeConverted) {
    EXPECT_EQ("读取"_gbk, "\xB6\xC1\xC8\xA1");
    EXPECT_EQ(GbkToUtf8("\xB6\xC1\xC8\xA1"), "读取");
    EXPECT_EQ(Utf8ToGbk("a\xF0\x9F\x98\x80z"), "a?z"); // an emoji has no GBK form
    EXPECT_EQ(Utf8ToGbk("a\xFFz"), "a?z");
    EXPECT_EQ(GbkToUtf8("a\xFF"), "a\xEF\xBF\xBD");
    EXPECT_EQ(GbkToUtf8(""), "");
}

TEST(GbkText, CharacterStartsAreCountedBackToTheNearestLowByte) {
    const std::string text = "\xD6\xD0\xD6\x41\xD6\xD0\r\n\xD6\xD0";
    struct Case {
        size_t offset;
        bool start;
    } cases[] = {
        {0, true},  {1, false}, {2, true}, {3, false}, // 0x41 here is a second byte, not "A"
        {4, true},                                     // ...and it ends its character
        {5, false}, {6, true},  {8, true}, {9, false}, {10, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gbk::isCharacterStart(text, c.offset), c.start) << c.offset;
    }
    const std::string chinese(1000000, '\xD6');
    EXPECT_TRUE(gbk::isCharacterStart(chinese, 999998));
    EXPECT_FALSE(gbk::isCharacterStart(chinese, 999999));
}

TEST(ReplaceEach, ReplacesEveryListedTextIgnoringCase) {
    EXPECT_EQ(ReplaceEach("a.HTML/b.html", "/|.html", ""), "ab");
    EXPECT_EQ(ReplaceEach("abc", "||b", "x"), "axc");
}

} // namespace
