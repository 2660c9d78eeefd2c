#include "platform/file_io.h"
#include "platform/ini_file.h"
#include "support/temp_home.h"
#include "text/gbk_convert.h"

#include <gtest/gtest.h>

using namespace lanxi;
using namespace lanxi::literals;

namespace {

class IniFile : public ::testing::Test {
protected:
    test::TempHome home;
    std::filesystem::path path = home.root() / "t.ini";
    std::string read(const std::string& section, const std::string& key) {
        return IniRead(path, section, key, "<default>");
    }
};

TEST_F(IniFile, ReadsWithProfileSemantics) {
    test::WriteBytes(path, "; comment line without equals\r\n"
                           "[Main]\r\n"
                           "  Plain = value with blanks   \r\n"
                           "quoted=\"  kept inside  \"\r\n"
                           "half=\"open\r\n"
                           "empty=\r\n"
                           "dup=first\r\n"
                           "dup=second\r\n"
                           "no equals here\r\n"
                           "eq=a=b\r\n"
                           "[other]\r\n"
                           "plain=other\r\n"
                           "[MAIN]\r\n"
                           "late=ignored, the first section wins\r\n"
                           "[lf]\n"
                           "unix=yes\n");
    struct Case {
        std::string section, key, expected;
    } cases[] = {
        {"main", "PLAIN", "value with blanks"},
        {"Main", "quoted", "  kept inside  "},
        {"Main", "half", "\"open"},
        {"Main", "empty", ""},
        {"Main", "dup", "first"},
        {"Main", "eq", "a=b"},
        {"Main", "missing", "<default>"},
        {"Main", "late", "<default>"},
        {"other", "plain", "other"},
        {"absent", "plain", "<default>"},
        {"lf", "unix", "yes"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(read(c.section, c.key), c.expected) << c.section << "/" << c.key;
    }
    EXPECT_EQ(IniRead(home.root() / "missing.ini", "a", "b", "dflt"), "dflt");
}

TEST_F(IniFile, MatchesGbkNamesAndCutsLongValuesAtACharacterBoundary) {
    std::string longValue = "a";
    for (int i = 0; i < 6000; ++i) {
        longValue += "读"_gbk;
    }
    test::WriteBytes(path, "[系统设置]\r\n文字大小=20\r\nlong="_gbk + longValue + "\r\n");
    EXPECT_EQ(IniRead(path, "系统设置"_gbk, "文字大小"_gbk, ""), "20");
    std::string cut = IniRead(path, "系统设置"_gbk, "long", "");
    EXPECT_EQ(cut.size(), 10239u); // "a" plus 5119 whole characters
    EXPECT_EQ(cut.substr(cut.size() - 2), "读"_gbk);

    // "礭" is B5 5D: its second byte is "]" but does not end the section name.
    ASSERT_TRUE(IniWrite(path, "礭节"_gbk, "k", "v"));
    EXPECT_EQ(IniRead(path, "礭节"_gbk, "k", ""), "v");
}

TEST_F(IniFile, WritesKeepEveryOtherByte) {
    const std::string original = "; keep me\r\n[A]\r\nx=1\r\ny = 2 \r\n\r\n[B]\nz=3\n";
    test::WriteBytes(path, original);

    ASSERT_TRUE(IniWrite(path, "a", "X", "one"));
    EXPECT_EQ(test::ReadBytes(path), "; keep me\r\n[A]\r\nX=one\r\ny = 2 \r\n\r\n[B]\nz=3\n");

    ASSERT_TRUE(IniWrite(path, "A", "new", "v"));
    EXPECT_EQ(test::ReadBytes(path),
              "; keep me\r\n[A]\r\nX=one\r\ny = 2 \r\nnew=v\r\n\r\n[B]\nz=3\n");

    ASSERT_TRUE(IniWrite(path, "C", "k", "line\r\nbreak"));
    EXPECT_EQ(
        test::ReadBytes(path),
        "; keep me\r\n[A]\r\nX=one\r\ny = 2 \r\nnew=v\r\n\r\n[B]\nz=3\n[C]\r\nk=linebreak\r\n");
    EXPECT_EQ(IniRead(path, "c", "K", ""), "linebreak");
}

TEST_F(IniFile, WritesCreateFilesAndFinishUnterminatedLines) {
    std::filesystem::path fresh = home.root() / "new" / "dir" / "s.ini";
    ASSERT_TRUE(IniWrite(fresh, "S", "k", "v"));
    EXPECT_EQ(test::ReadBytes(fresh), "[S]\r\nk=v\r\n");

    test::WriteBytes(path, "[S]\r\nk=v");
    ASSERT_TRUE(IniWrite(path, "S", "k2", "w"));
    EXPECT_EQ(test::ReadBytes(path), "[S]\r\nk=v\r\nk2=w");
    ASSERT_TRUE(IniWrite(path, "T", "k", "x"));
    EXPECT_EQ(test::ReadBytes(path), "[S]\r\nk=v\r\nk2=w\r\n[T]\r\nk=x\r\n");
}

TEST_F(IniFile, WriteAllLandsInOneReplacementAndLeavesNoTemporaryFiles) {
    ASSERT_TRUE(IniWriteAll(path, {{"S", "a", "1"}, {"T", "b", "2"}, {"S", "c", "3"}}));
    EXPECT_EQ(test::ReadBytes(path), "[S]\r\na=1\r\nc=3\r\n[T]\r\nb=2\r\n");
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(home.root())) {
        ++files;
    }
    EXPECT_EQ(files, 4u); // home/, config/, temp/ and t.ini
}

TEST_F(IniFile, FoldersAndOversizedFilesReadAsMissing) {
    EXPECT_EQ(IniRead(home.root(), "a", "b", "dflt"), "dflt"); // a folder, not a file
    EXPECT_FALSE(ReadFileBytes(home.root()));
    test::WriteBytes(path, std::string(100, 'x'));
    EXPECT_FALSE(ReadFileBytes(path, 99));
    EXPECT_EQ(ReadFileBytes(path, 100)->size(), 100u);
    EXPECT_FALSE(IniWrite(home.root(), "S", "k", "v")); // never replaces a folder
    EXPECT_TRUE(std::filesystem::is_directory(home.root()));
}

TEST_F(IniFile, NamesLoseTheirBlanksOnBothSides) {
    ASSERT_TRUE(IniWrite(path, " S ", " k ", "v"));
    EXPECT_EQ(test::ReadBytes(path), "[S]\r\nk=v\r\n");
    EXPECT_EQ(IniRead(path, "S", "k", ""), "v");
    EXPECT_EQ(IniRead(path, "\tS", "k ", ""), "v");
    EXPECT_FALSE(IniWrite(path, "S\xB5 ", "k", "v")); // a cut character before the blank
}

TEST_F(IniFile, ReplacingTheFileKeepsItsPermissions) {
    ASSERT_TRUE(IniWrite(path, "S", "k", "1"));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write);
    ASSERT_TRUE(IniWrite(path, "S", "k", "2"));
    EXPECT_EQ(std::filesystem::status(path).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(IniRead(path, "S", "k", ""), "2");
    EXPECT_FALSE(WriteFileAtomically("", "x"));
}

TEST_F(IniFile, RefusesNamesThatWouldBreakTheFile) {
    EXPECT_FALSE(IniWrite(path, "", "k", "v"));
    EXPECT_FALSE(IniWrite(path, "S", "", "v"));
    EXPECT_FALSE(IniWrite(path, "S", "a=b", "v"));
    EXPECT_FALSE(IniWrite(path, "S\r\n[T]", "k", "v"));
    EXPECT_FALSE(IniWrite(path, "S]x", "k", "v"));
    EXPECT_FALSE(IniWrite(path, "S", " [k", "v"));
    EXPECT_FALSE(IniWrite(path, "S", "k\xB5=x", "v")); // "=" is never a second byte
    EXPECT_FALSE(IniWrite(path, "S\xB5", "k", "v"));   // a cut character
    EXPECT_FALSE(std::filesystem::exists(path));
}

} // namespace
