#include "app/activity_log.h"
#include "app/embedded_page.h"
#include "app/settings.h"
#include "platform/ini_file.h"
#include "platform/paths.h"
#include "support/temp_home.h"
#include "text/gbk_convert.h"
#include "update/update_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

using namespace lanxi;
using namespace lanxi::literals;

namespace {

class SettingsFile : public ::testing::Test {
protected:
    test::TempHome home;
};

TEST_F(SettingsFile, LivesInTheConfigurationDirectory) {
    EXPECT_EQ(SettingsPath(), home.config() / "岚溪_rdzw.ini");
    EXPECT_EQ(StartPagePath().filename(), "findex.html");
}

// Sets or clears an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST_F(SettingsFile, TemporaryFilesGoToAFolderOnlyThisUserCanWrite) {
    ScopedEnv tmpdir("TMPDIR", home.root().c_str());
    const std::filesystem::path usual = home.root() / ("lanxi-" + std::to_string(geteuid()));
    auto mode = [](const std::filesystem::path& p) {
        struct stat st {};
        return lstat(p.c_str(), &st) == 0 ? (st.st_mode & 0777) : 0u;
    };

    ConfigurePaths({home.home(), home.config(), {}});
    EXPECT_EQ(TempDirectory(), usual);
    EXPECT_EQ(mode(usual), 0700u);

    // A folder of that name that others may write is not used.
    chmod(usual.c_str(), 0777);
    ConfigurePaths({home.home(), home.config(), {}});
    EXPECT_NE(TempDirectory(), usual);
    EXPECT_EQ(TempDirectory().parent_path(), home.root());
    EXPECT_EQ(mode(TempDirectory()), 0700u);

    // Without a home folder the settings go to a private temporary folder too.
    ScopedEnv noHome("HOME", nullptr);
    ScopedEnv noXdg("XDG_CONFIG_HOME", nullptr);
    ConfigurePaths({home.home(), {}, {}});
    EXPECT_EQ(ConfigDirectory().parent_path(), home.root());
    EXPECT_EQ(mode(ConfigDirectory()), 0700u);
}

TEST_F(SettingsFile, MissingFileGivesTheDefaults) {
    Settings s = ReadSettings(SettingsPath());
    EXPECT_EQ(s.lastAddress, "");
    EXPECT_EQ(s.windowStyle, 3);
    EXPECT_EQ(RgbFromColourValue(s.background), (Rgb{236, 236, 236}));
    EXPECT_EQ(RgbFromColourValue(s.textColour), (Rgb{0, 0, 128}));
    EXPECT_EQ(s.fontSize, 13);
    EXPECT_FALSE(s.directoryCollapsed);
}

TEST_F(SettingsFile, WritesTheSixKeysAndReadsThemBack) {
    Settings s;
    s.lastAddress = "http://rdzw.localhost:8733//Html/Book/1/1/1.html";
    s.windowStyle = 2;
    s.background = ColourValueFromRgb({1, 2, 3});
    s.textColour = 255;
    s.fontSize = 26;
    s.directoryCollapsed = true;
    ASSERT_TRUE(WriteSettings(SettingsPath(), s));

    const std::string expected = "[系统设置]\r\n内容背景=197121\r\n窗体风格=2\r\n文字颜色=255\r\n"
                                 "文字大小=26\r\n收缩=真\r\n[用户记录]\r\n最后阅读="_gbk +
                                 s.lastAddress + "\r\n";
    EXPECT_EQ(test::ReadBytes(SettingsPath()), expected);

    Settings back = ReadSettings(SettingsPath());
    EXPECT_EQ(back.lastAddress, s.lastAddress);
    EXPECT_EQ(back.windowStyle, 2);
    EXPECT_EQ(back.background, 197121);
    EXPECT_EQ(back.textColour, 255);
    EXPECT_EQ(back.fontSize, 26);
    EXPECT_TRUE(back.directoryCollapsed);
}

TEST_F(SettingsFile, ValuesAreReadLeniently) {
    struct Case {
        std::string collapsed, style;
        bool expectCollapsed;
        long long expectStyle;
    } cases[] = {
        {"真", "1", true, 1},       {"true", "2abc", false, 2}, {"1", "abc", false, 0},
        {" 真 ", "12.9", true, 12}, {"假", "-1", false, -1},
    };
    for (const Case& c : cases) {
        IniWrite(SettingsPath(), "系统设置"_gbk, "收缩"_gbk, Utf8ToGbk(c.collapsed));
        IniWrite(SettingsPath(), "系统设置"_gbk, "窗体风格"_gbk, c.style);
        Settings s = ReadSettings(SettingsPath());
        EXPECT_EQ(s.directoryCollapsed, c.expectCollapsed) << c.collapsed;
        EXPECT_EQ(s.windowStyle, c.expectStyle) << c.style;
    }
}

TEST_F(SettingsFile, LocalPositionHasItsOwnSection) {
    ASSERT_TRUE(WriteLocalPosition(SettingsPath(), "123456|40001"));
    EXPECT_EQ(ReadLocalPosition(SettingsPath()), "123456|40001");
    EXPECT_EQ(IniRead(SettingsPath(), "本地txt"_gbk, "用户读取"_gbk, ""), "123456|40001");
}

TEST(Colours, WindowsColourValuesAreBgrInDecimal) {
    EXPECT_EQ(RgbFromColourValue(15527148), (Rgb{236, 236, 236}));
    EXPECT_EQ(RgbFromColourValue(8388608), (Rgb{0, 0, 128}));
    EXPECT_EQ(ColourValueFromRgb({0, 0, 128}), 8388608);
    EXPECT_EQ(ColourValueFromRgb({255, 0, 0}), 255);
}

TEST(ActivityLog, TimeStampLeavesOutLeadingZerosOfTheDateOnly) {
    std::tm t{};
    t.tm_year = 2010 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 8;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 3;
    EXPECT_EQ(FormatLogTimestamp(t), "2010-12-8 09:05:03");
    EXPECT_EQ(FormatLogLine(t, "假"_gbk), "2010-12-8 09:05:03：  假\r\n"_gbk);
}

TEST(StartPage, DecipheringGivesAnHtmlPage) {
    std::string page = StartPageBytes();
    EXPECT_EQ(page.rfind("<html>", 0), 0u);
    EXPECT_NE(page.find("岚溪小说阅读器"_gbk), std::string::npos);
    EXPECT_NE(page.find("</html>"), std::string::npos);
    // The keystream is its own inverse.
    EXPECT_EQ(DecipherEmbedded(DecipherEmbedded("any block")), "any block");
}

TEST_F(SettingsFile, StartPageAndUpdateLeftoversOnDisk) {
    std::filesystem::path page = home.root() / "findex.html";
    test::WriteBytes(page, "old content that is longer than the page itself ... ");
    ASSERT_TRUE(WriteStartPage(page));
    EXPECT_EQ(test::ReadBytes(page), StartPageBytes());

    for (const char* name : {"zip.exe", "update.dll", "update.zip"}) {
        test::WriteBytes(home.home() / name, "x");
    }
    test::WriteBytes(home.home() / "keep.txt", "x");
    CleanUpdateLeftovers();
    EXPECT_FALSE(std::filesystem::exists(home.home() / "zip.exe"));
    EXPECT_FALSE(std::filesystem::exists(home.home() / "update.dll"));
    EXPECT_FALSE(std::filesystem::exists(home.home() / "update.zip"));
    EXPECT_TRUE(std::filesystem::exists(home.home() / "keep.txt"));
}

} // namespace
