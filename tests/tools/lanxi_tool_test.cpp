#include "rules/gbk_convert.h"
#include "rules/site_rules.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

using namespace lanxi;
using namespace lanxi::literals;

namespace {

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string quote(const std::string& arg) {
    std::string q = "'";
    for (char c : arg) {
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return q + "'";
}

class LanxiTool : public ::testing::Test {
protected:
    test::TempHome home;

    RunResult run(const std::vector<std::string>& args) {
        std::string cmd = quote(LANXI_TOOL) + " --home " + quote(home.home().string()) +
                          " --config " + quote(home.config().string());
        for (const std::string& a : args) {
            cmd += " " + quote(a);
        }
        const std::filesystem::path errFile = home.root() / "stderr.txt";
        cmd += " 2>" + quote(errFile.string());
        RunResult r;
        FILE* pipe = popen(cmd.c_str(), "r");
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) {
            r.out.append(buf, n);
        }
        int status = pclose(pipe);
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.err = test::ReadBytes(errFile);
        return r;
    }

    std::string writeGbkFile(const std::string& name, const std::string& utf8) {
        std::filesystem::path p = home.root() / name;
        test::WriteBytes(p, Utf8ToGbk(utf8));
        return p.string();
    }
};

TEST_F(LanxiTool, RulePrintsTheValueOfEitherSite) {
    RunResult r = run({"rule", "书籍内容", "章节书名", "--site", "1"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "<title>(.*?)-(.*?)最新章节-看书站</title>\n");
    EXPECT_EQ(test::ReadBytes(home.home() / "data" / "kanshuzhan_gz.txt"), DefaultRuleText(1));

    EXPECT_EQ(run({"rule", "普通信息", "网站地址"}).out, "http://rdzw.localhost:8733/\n");
    EXPECT_EQ(run({"rule", "普通信息", "没有", "--default", "默认值"}).out, "默认值\n");
}

TEST_F(LanxiTool, CutAndFilterWorkOnGbkFiles) {
    std::string page = writeGbkFile(
        "page.html", "<title>书</title><div id=\"BookText\">第一段<br />第二段&nbsp;</div>");
    RunResult cut = run({"cut", page, "<div id=\"BookText\">", "</div>"});
    EXPECT_EQ(cut.exitCode, 0) << cut.err;
    EXPECT_EQ(cut.out, "第一段<br />第二段&nbsp;");
    RunResult filtered = run({"filter", page});
    EXPECT_EQ(filtered.exitCode, 0) << filtered.err;
    EXPECT_EQ(filtered.out, "<title>书</title><div id=\"BookText\">第一段\r\n第二段  ");
}

TEST_F(LanxiTool, MatchPrintsGroupsAsLinesOrJson) {
    std::string page = writeGbkFile(
        "dir.html", "<li><a href=\"1.html\">第一章</a></li><li><a href=\"2.html\">第二章</a></li>");
    RunResult plain = run({"match", "<li><a href=\"(.*?)\">(.*?)</a></li>", page});
    EXPECT_EQ(plain.exitCode, 0) << plain.err;
    EXPECT_EQ(plain.out, "1.html\t第一章\n2.html\t第二章\n");

    RunResult json = run({"match", "<a href=\"(.*?)\">", page, "--json"});
    EXPECT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.out, "[\n  [\n    \"<a href=\\\"1.html\\\">\",\n    \"1.html\"\n  ],\n"
                        "  [\n    \"<a href=\\\"2.html\\\">\",\n    \"2.html\"\n  ]\n]\n");
}

TEST_F(LanxiTool, BadInputGivesAClearMessageAndANonZeroCode) {
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string message;
    } cases[] = {
        {{}, 2, "usage:"},
        {{"frobnicate"}, 2, "unknown command: frobnicate"},
        {{"rule", "only-section"}, 2, "rule needs SECTION and KEY"},
        {{"rule", "a", "b", "--site", "x"}, 2, "--site needs a whole number"},
        {{"rule", "a", "b", "--site"}, 2, "option --site needs a value"},
        {{"cut", "/no/such/file", "a", "b"}, 1, "cannot read file: /no/such/file"},
        {{"match", "(unclosed", "/dev/null"}, 1, "the pattern does not compile"},
        {{"match", "a", "/dev/null", "--bogus"}, 2, "unknown option --bogus"},
    };
    for (const Case& c : cases) {
        RunResult r = run(c.args);
        EXPECT_EQ(r.exitCode, c.code) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

} // namespace
