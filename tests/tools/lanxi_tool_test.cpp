#include "rules/site_rules.h"
#include "support/demo_rules.h"
#include "support/temp_home.h"
#include "text/gbk_convert.h"
#include "tools/demo_site/demo_site.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

using namespace lanxi;
using namespace lanxi::literals;
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

    // After "--" every word is a marker, even one that looks like an option.
    std::string comment = writeGbkFile("comment.html", "<!--x--> --home=1;");
    EXPECT_EQ(run({"cut", comment, "--", "<!--", "-->"}).out, "x");
    EXPECT_EQ(run({"cut", "--", comment, "--home=", ";"}).out, "1");
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
    const std::string empty = writeGbkFile("empty.txt", "");
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string message;
    } cases[] = {
        {{}, 2, "usage:"},
        {{"frobnicate"}, 2, "unknown command: frobnicate"},
        {{"rule", "only-section"}, 2, "rule needs SECTION and KEY"},
        {{"rule", "a", "b", "--site", "x"}, 2, "--site needs 0 or 1, not: x"},
        {{"chapter", "http://x/", "--site", "5"}, 2, "--site needs 0 or 1, not: 5"},
        {{"rule", "a", "b", "--site"}, 2, "option --site needs a value"},
        {{"cut", "/no/such/file", "a", "b"}, 1, "cannot read file: /no/such/file"},
        {{"match", "(unclosed", empty}, 1, "the pattern does not compile"},
        {{"match", "a", empty, "--bogus"}, 2, "unknown option --bogus"},
        {{"cut", home.root().string(), "a", "b"}, 1, "cannot read file"}, // a folder
    };
    for (const Case& c : cases) {
        RunResult r = run(c.args);
        EXPECT_EQ(r.exitCode, c.code) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

} // namespace

namespace {

// The network subcommands against the demo sites on a free port.
class LanxiToolOnline : public LanxiTool {
protected:
    void SetUp() override {
        ASSERT_TRUE(site.start(0));
        test::PointRulesAtPort(site.port());
    }
    std::string url(const std::string& host, const std::string& path) {
        return "http://" + host + ":" + std::to_string(site.port()) + path;
    }
    nlohmann::json runJson(const std::vector<std::string>& args) {
        RunResult r = run(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return nlohmann::json::parse(r.out);
    }
    demo::DemoSite site;
};

TEST_F(LanxiToolOnline, FetchPrintsAChapterPageTheChapterRuleMatches) {
    const std::string chapter = url("rdzw.localhost", "/Html/Book/1/1234/12340001.shtml");
    RunResult utf8 = run({"fetch", "--utf8", chapter});
    EXPECT_EQ(utf8.exitCode, 0) << utf8.err;
    EXPECT_NE(utf8.out.find("星河长歌"), std::string::npos);

    RunResult raw = run({"fetch", chapter});
    test::WriteBytes(home.root() / "chapter.html", raw.out);
    RunResult titles = run({"match", GbkToUtf8(ReadRule("书籍内容"_gbk, "章节书名"_gbk, "", 0)),
                            (home.root() / "chapter.html").string()});
    EXPECT_EQ(titles.exitCode, 0) << titles.err;
    EXPECT_EQ(titles.out.rfind("星河长歌", 0), 0u) << titles.out;
}

TEST_F(LanxiToolOnline, FetchShowsHeadersAndReportsFailures) {
    RunResult error = run({"fetch", "--show-headers", url("rdzw.localhost", "/test/status500")});
    EXPECT_EQ(error.exitCode, 0) << error.err;
    EXPECT_EQ(error.out.rfind("HTTP/1.1 500", 0), 0u);
    EXPECT_EQ(error.out.substr(error.out.size() - 17), "server error page");

    RunResult posted = run({"fetch", "--method", "POST", "--data", "a=1", "--header", "X-One: 1",
                            url("rdzw.localhost", "/test/echo")});
    EXPECT_NE(posted.out.find("X-One: 1"), std::string::npos);
    EXPECT_NE(posted.out.find("Content-Length: 3"), std::string::npos);

    struct Case {
        std::vector<std::string> args;
        int code;
        std::string message;
    } cases[] = {
        {{"fetch", "http://127.0.0.1:1/"}, 1, "the request failed"},
        {{"fetch", "--method", "PUT", url("rdzw.localhost", "/test/echo")},
         1,
         "the request failed"},
        {{"fetch", "--timeout", "soon", url("rdzw.localhost", "/")}, 2, "--timeout needs"},
        {{"fetch"}, 2, "fetch needs URL"},
    };
    for (const Case& c : cases) {
        RunResult r = run(c.args);
        EXPECT_EQ(r.exitCode, c.code) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

TEST_F(LanxiToolOnline, ChapterReportsWhatTheReaderWouldShow) {
    nlohmann::json first =
        runJson({"chapter", url("kanshuzhan.localhost", "/files/article/html/4/4321/43210001.html"),
                 "--site", "1", "--json"});
    EXPECT_EQ(first["title"], "雪夜归人");
    EXPECT_EQ(first["bookId"], "4321");
    EXPECT_EQ(first["ok"], true);
    EXPECT_EQ(first["isFirst"], true);
    EXPECT_EQ(first["isLast"], false);
    EXPECT_EQ(first["prevUrl"], "");
    EXPECT_EQ(first["nextUrl"],
              url("kanshuzhan.localhost", "/files/article/html/4/4321/43210002.html"));

    nlohmann::json last =
        runJson({"chapter", "/files/article/html/4/4321/43210015.html", "--site", "1", "--json"});
    EXPECT_EQ(last["address"],
              url("kanshuzhan.localhost", "/files/article/html/4/4321/43210015.html"));
    EXPECT_EQ(last["isLast"], true);
    EXPECT_EQ(last["nextUrl"], "");

    nlohmann::json image =
        runJson({"chapter", url("kanshuzhan.localhost", "/files/article/html/6/6789/67890002.html"),
                 "--site", "1", "--json"});
    EXPECT_EQ(image["isImage"], true);
    EXPECT_NE(image["content"].get<std::string>().find("\"" +
                                                       url("kanshuzhan.localhost", "/chapterpic/")),
              std::string::npos);

    nlohmann::json failed =
        runJson({"chapter", url("rdzw.localhost", "/no/such/page.shtml"), "--json"});
    EXPECT_EQ(failed["ok"], false);
}

TEST_F(LanxiToolOnline, DirectoryListsEntriesWithTheirAddresses) {
    nlohmann::json d =
        runJson({"directory", url("kanshuzhan.localhost", "/files/article/html/0/96/"), "--site",
                 "1", "--json"});
    EXPECT_EQ(d["bookId"], "96");
    EXPECT_EQ(d["template"], url("kanshuzhan.localhost", "/files/article/html/0/96/<%id%>.html"));
    ASSERT_EQ(d["entries"].size(), 5u);
    EXPECT_EQ(d["entries"][0]["number"], 960001);
    EXPECT_EQ(d["entries"][0]["url"],
              url("kanshuzhan.localhost", "/files/article/html/0/96/960001.html"));

    // Site 0 reads the index beside any chapter address.
    nlohmann::json r = runJson({"directory", "/Html/Book/0/789/7890003.shtml", "--json"});
    EXPECT_EQ(r["address"], url("rdzw.localhost", "//Html/Book/0/789/index.shtml"));
    EXPECT_EQ(r["entries"].size(), 6u);

    RunResult plain =
        run({"directory", url("kanshuzhan.localhost", "/files/article/html/0/96/"), "--site", "1"});
    EXPECT_NE(plain.out.find("\n960005\t"), std::string::npos) << plain.out;
}

TEST_F(LanxiTool, TxtShowsOnePageOfALocalFile) {
    std::string text(45000, 'a');
    test::WriteBytes(home.root() / "book.txt", text);
    RunResult r = run({"txt", (home.root() / "book.txt").string(), "--page", "3", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["length"], 90000); // every letter became a two-byte full-width letter
    EXPECT_EQ(j["pageCount"], 5);
    EXPECT_EQ(j["page"], 3);
    EXPECT_EQ(j["position"], 60000);
    EXPECT_EQ(j["text"].get<std::string>().size(), 30000u); // 10000 letters of 3 UTF-8 bytes

    EXPECT_EQ(run({"txt", "/no/such.txt"}).exitCode, 1);
    EXPECT_EQ(run({"txt", (home.root() / "book.txt").string(), "--page", "0"}).exitCode, 2);
}

} // namespace
