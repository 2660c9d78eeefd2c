#include "reader/local_text.h"
#include "support/temp_home.h"
#include "text/gbk_convert.h"

#include <gtest/gtest.h>

using namespace lanxi;
using namespace lanxi::literals;

namespace {

TEST(LocalText, LoadsAsFullWidthUpToTheFirstNul) {
    test::TempHome home;
    test::WriteBytes(home.root() / "a.txt", std::string("Ab 1~\r\n\xD6\xD0", 9) + '\0' + "tail");
    EXPECT_EQ(LoadLocalText(home.root() / "a.txt"),
              "\xA3\xC1\xA3\xE2\xA1\xA1\xA3\xB1\xA1\xAB\r\n\xD6\xD0");
    EXPECT_EQ(LoadLocalText(home.root() / "missing.txt"), "");
}

TEST(LocalPages, CountsAndPositions) {
    struct Case {
        size_t length;
        PageDirection direction;
        bool fromCurrent;
        std::string current;
        long long page, pageCount, position;
        size_t shown;
    } cases[] = {
        {10000, PageDirection::First, false, "", 1, 1, 20000, 10000},
        {45000, PageDirection::First, false, "", 1, 3, 20000, 20000},
        {45000, PageDirection::Next, true, "20000", 2, 3, 40000, 20000},
        {45000, PageDirection::Next, true, "40000", 3, 3, 60000, 5000},
        {45000, PageDirection::Previous, true, "60000", 2, 3, 40000, 20000},
        {45000, PageDirection::Next, true, "90000", 5, 3, 110000, 0}, // beyond the text
        {0, PageDirection::First, false, "", 1, 0, 20000, 0},
    };
    for (const Case& c : cases) {
        std::string text(c.length, 'a');
        LocalPage p = ComputeLocalPage(text, c.direction, c.fromCurrent, "", c.current);
        EXPECT_EQ(p.page, c.page) << c.length << " " << c.current;
        EXPECT_EQ(p.pageCount, c.pageCount) << c.length;
        EXPECT_EQ(p.position, c.position) << c.length << " " << c.current;
        EXPECT_EQ(p.text.size(), c.shown) << c.length << " " << c.current;
    }
}

TEST(LocalPages, ASavedPositionAppliesOnlyToTheSameLength) {
    std::string text(45000, 'a');
    EXPECT_EQ(ComputeLocalPage(text, PageDirection::First, false, "45000|60000", "").page, 3);
    EXPECT_EQ(ComputeLocalPage(text, PageDirection::First, false, "44999|60000", "").page, 1);
    EXPECT_EQ(ComputeLocalPage(text, PageDirection::First, false, "garbage", "").page, 1);
}

TEST(LocalPages, ACharacterCutByThePageEdgeShowsWholeOnItsFirstPage) {
    // One single byte, then two-byte characters: every page edge falls inside a character.
    std::string text = "\n";
    while (text.size() < 45000) {
        text += "\xD6\xD0";
    }
    LocalPage first = ComputeLocalPage(text, PageDirection::First, false, "", "");
    EXPECT_EQ(first.text.size(), 20001u); // the character at bytes 20000-20001 joins page 1
    EXPECT_EQ(first.text.substr(first.text.size() - 2), "\xD6\xD0");
    EXPECT_EQ(first.position, 20000); // positions stay in bytes

    LocalPage second = ComputeLocalPage(text, PageDirection::Next, true, "", "20000");
    EXPECT_EQ(second.text.substr(0, 2), "\xD6\xD0");
    EXPECT_EQ(second.text.size(), 20000u); // starts one byte late, ends one byte late
    EXPECT_EQ(first.text + second.text, text.substr(0, 40001));
}

} // namespace
