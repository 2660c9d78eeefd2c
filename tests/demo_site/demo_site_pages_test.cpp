// The demo sites' pages read with the default rules, the way the reader reads them.
#include "demo_site/demo_site_fixture.h"
#include "net/url.h"
#include "rules/extraction.h"
#include "rules/regex.h"
#include "rules/site_rules.h"
#include "text/gbk_convert.h"
#include "text/gbk_text.h"

#include <set>
#include <vector>

using namespace lanxi;
using namespace lanxi::test;
using namespace lanxi::literals;

namespace {

using DemoSitePages = DemoSiteFixture;

std::string ChapterHeading(int chapter) {
    return Utf8ToGbk("第" + std::to_string(chapter) + "章 ");
}

// What the reader cuts out of a chapter page.
struct ChapterParts {
    std::vector<RegexMatch> titles;
    std::string prev, next, bookId, content;
};

ChapterParts CutChapter(const std::string& page, int site) {
    ChapterParts parts;
    parts.titles = findAll(Rule("书籍内容", "章节书名", site), page);
    parts.prev = Cut(page, Rule("书籍内容", "上一页", site));
    parts.next = Cut(page, Rule("书籍内容", "下一页", site));
    parts.bookId = Cut(page, Rule("书籍内容", "小说id", site));
    parts.content = ApplyHtmlFilter(Cut(page, Rule("书籍内容", "章节内容", site)));
    return parts;
}

ChapterParts FetchChapter(const std::string& url, int site) {
    Fetched page = DemoSiteFixture::getUrl(url);
    EXPECT_EQ(page.status, 200) << url;
    return CutChapter(page.body, site);
}

std::string ChapterTitleOf(const ChapterParts& parts) {
    return parts.titles.empty() ? std::string() : group(parts.titles.front(), 2);
}

std::vector<RegexMatch> DirectoryEntries(const std::string& page, int site) {
    return findAll(Rule("书籍目录", "章节url章节名", site),
                   Cut(page, Rule("书籍目录", "目录初级内容", site)));
}

void ExpectGifPicture(const std::string& url) {
    Fetched picture = DemoSiteFixture::getUrl(url);
    EXPECT_EQ(picture.status, 200) << url;
    EXPECT_EQ(Header(picture, "Content-Type"), "image/gif") << url;
    EXPECT_TRUE(StartsWith(picture.body, "GIF89a")) << url;
    EXPECT_EQ(picture.body.back(), ';') << url; // the GIF trailer: the picture is complete
}

TEST_F(DemoSitePages, ChapterPagesGiveTitlesLinksBookIdAndCleanText) {
    enum Kind { kMiddle, kFirst, kLast, kPicture };
    struct Case {
        int site;
        std::string path; // relative to the site, as an address box may hold it
        std::string bookTitle, bookId;
        int chapter;
        Kind kind;
    } cases[] = {
        {0, "/Html/Book/1/1234/12340001.shtml", "星河长歌", "1234", 1, kFirst},
        {0, "/Html/Book/1/1234/12341500.Shtml", "星河长歌", "1234", 1500, kMiddle}, // tree form
        {0, "/Html/Book/1/1234/12343200.shtml", "星河长歌", "1234", 3200, kLast},
        {0, "/Html/Book/5/5678/56780003.shtml", "画中山水", "5678", 3, kPicture},
        {0, "/Html/Book/0/789/7890001.shtml", "小镇来信", "789", 1, kFirst},
        {1, "/files/article/html/3/3456/34560001.html", "沧海行舟", "3456", 1, kFirst},
        {1, "/files/article/html/3/3456/34561200.html", "沧海行舟", "3456", 1200, kMiddle},
        {1, "/files/article/html/3/3456/34563050.html", "沧海行舟", "3456", 3050, kLast},
        {1, "/files/article/html/6/6789/67890002.html", "云间画卷", "6789", 2, kPicture},
        {1, "/files/article/html/0/96/960005.html", "灯下旧事", "96", 5, kLast},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::string url = Base(c.site) + c.path;
        Fetched page = getUrl(url);
        ASSERT_EQ(page.status, 200);
        EXPECT_EQ(Header(page, "Content-Type"), "text/html; charset=gbk");
        ChapterParts parts = CutChapter(page.body, c.site);
        ASSERT_FALSE(parts.titles.empty());
        EXPECT_EQ(group(parts.titles.front(), 1), Utf8ToGbk(c.bookTitle));
        EXPECT_TRUE(StartsWith(ChapterTitleOf(parts), ChapterHeading(c.chapter)));
        EXPECT_EQ(parts.bookId, c.bookId);
        ASSERT_GT(parts.content.size(), 1u);

        if (c.kind == kPicture) {
            // The reader completes root-relative sources with the site's base address.
            std::string completed = ReplaceAll(parts.content, "\"/", "\"" + Base(c.site) + "/");
            ExpectGifPicture(ExtractBetween(completed, "<img src=\"", "\""));
        } else {
            EXPECT_FALSE(Contains(parts.content, "<")) << GbkToUtf8(parts.content);
            EXPECT_FALSE(Contains(parts.content, "&")) << GbkToUtf8(parts.content);
        }

        EXPECT_EQ(ContainsIgnoringCase(parts.prev, "index"), c.kind == kFirst) << parts.prev;
        EXPECT_EQ(ContainsIgnoringCase(parts.next, "index"), c.kind == kLast) << parts.next;
        // A next link much longer than the previous one would also read as the last chapter.
        EXPECT_LE(parts.next.size(), parts.prev.size() + 10);
        if (c.kind != kFirst) {
            ChapterParts prev = FetchChapter(UrlDirectory(url) + parts.prev, c.site);
            EXPECT_TRUE(StartsWith(ChapterTitleOf(prev), ChapterHeading(c.chapter - 1)));
        }
        if (c.kind != kLast) {
            ChapterParts next = FetchChapter(UrlDirectory(url) + parts.next, c.site);
            EXPECT_TRUE(StartsWith(ChapterTitleOf(next), ChapterHeading(c.chapter + 1)));
        }
    }
}

TEST_F(DemoSitePages, FinishedBooksWalkFromFirstToLastChapterAndBack) {
    struct Case {
        int site;
        std::string firstChapter;
        int chapters;
    } cases[] = {
        {0, "/Html/Book/2/2445/24450001.shtml", 12},
        {1, "/files/article/html/4/4321/43210001.html", 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firstChapter);
        std::string url = Base(c.site) + c.firstChapter;
        int forward = 1;
        for (ChapterParts p = FetchChapter(url, c.site); !ContainsIgnoringCase(p.next, "index");
             p = FetchChapter(url, c.site)) {
            url = UrlDirectory(url) + p.next;
            ASSERT_LE(++forward, c.chapters);
        }
        EXPECT_EQ(forward, c.chapters);
        int backward = 1;
        for (ChapterParts p = FetchChapter(url, c.site); !ContainsIgnoringCase(p.prev, "index");
             p = FetchChapter(url, c.site)) {
            url = UrlDirectory(url) + p.prev;
            ASSERT_LE(++backward, c.chapters);
        }
        EXPECT_EQ(backward, c.chapters);
        EXPECT_EQ(url, Base(c.site) + c.firstChapter);
    }
}

TEST_F(DemoSitePages, DirectoriesListEveryChapterWithWorkingAddresses) {
    struct Case {
        int site;
        std::string path; // what the reader is handed
        int chapters;
    } cases[] = {
        {0, "/Html/Book/1/1234/index.shtml", 3200},
        {0, "/Html/Book/2/2445/24450005.shtml", 12}, // a chapter: the reader asks for index
        {1, "/files/article/html/3/3456/", 3050},
        {1, "/files/article/html/4/4321/index.html", 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::string url = Base(c.site) + c.path;
        if (c.site == 0) {
            url = UrlDirectory(url) + "index.shtml";
        }
        Fetched page = getUrl(url);
        ASSERT_EQ(page.status, 200);
        std::vector<RegexMatch> entries = DirectoryEntries(page.body, c.site);
        ASSERT_EQ(entries.size(), static_cast<size_t>(c.chapters));
        EXPECT_TRUE(StartsWith(group(entries.front(), 2), ChapterHeading(1)));

        std::string firstUrl = UrlDirectory(url) + group(entries.front(), 1);
        EXPECT_EQ(ChapterTitleOf(FetchChapter(firstUrl, c.site)), group(entries.front(), 2));
        // The tree opens a chapter from its number and the site's suffix.
        std::string number = std::to_string(gbk::integer(UrlLastSegment(firstUrl, 0)));
        std::string treeUrl = UrlDirectory(url) + number + (c.site == 0 ? ".Shtml" : ".html");
        EXPECT_EQ(ChapterTitleOf(FetchChapter(treeUrl, c.site)), group(entries.front(), 2));
        ChapterParts last = FetchChapter(UrlDirectory(url) + group(entries.back(), 1), c.site);
        EXPECT_EQ(ChapterTitleOf(last), group(entries.back(), 2));
        EXPECT_TRUE(ContainsIgnoringCase(last.next, "index"));
    }
}

TEST_F(DemoSitePages, BookPagesGiveEveryFieldCoverAndNewestChapter) {
    struct Case {
        int site;
        std::string id, title;
        bool realCover;
    } cases[] = {
        {0, "1234", "星河长歌", true},  {0, "2445", "竹林听雨", false},
        {0, "789", "小镇来信", false},  {1, "3456", "沧海行舟", true},
        {1, "4321", "雪夜归人", false}, {1, "96", "灯下旧事", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        Fetched fetched = getUrl(BookPageUrl(c.id, std::to_string(c.site), true).url);
        ASSERT_EQ(fetched.status, 200);
        std::string page = Cut(fetched.body, Rule("书页采集", "初级内容", c.site));
        ASSERT_FALSE(page.empty());
        for (const char* key : {"书名", "类别", "作者", "更新日期", "状态", "图片", "最新url"}) {
            EXPECT_FALSE(Cut(page, Rule("书页采集", key, c.site)).empty()) << key;
        }
        EXPECT_EQ(Cut(page, Rule("书页采集", "书名", c.site)), Utf8ToGbk(c.title));
        std::string introduction = ApplyHtmlFilter(Cut(page, Rule("书页采集", "书籍介绍", c.site)));
        EXPECT_FALSE(introduction.empty());
        EXPECT_FALSE(Contains(introduction, "<")) << GbkToUtf8(introduction);

        std::string newestUrl = Cut(page, Rule("书页采集", "最新url", c.site));
        std::string newestTitle =
            Cut(page, ReplaceAll(Rule("书页采集", "最新章节", c.site), "<%url%>", newestUrl));
        EXPECT_EQ(UrlLastSegment(newestUrl, 1), c.id);
        ChapterParts newest = FetchChapter(Base(c.site) + newestUrl, c.site);
        EXPECT_EQ(ChapterTitleOf(newest), newestTitle);
        EXPECT_TRUE(ContainsIgnoringCase(newest.next, "index"));

        std::string directory = Base(c.site) + UrlDirectory(newestUrl);
        Fetched listing = getUrl(c.site == 0 ? directory + "index.shtml" : directory);
        EXPECT_FALSE(DirectoryEntries(listing.body, c.site).empty());

        std::string cover = Cut(page, Rule("书页采集", "图片", c.site));
        EXPECT_EQ(ContainsIgnoringCase(cover, "noimg.gif"), !c.realCover) << cover;
        ExpectGifPicture(Contains(cover, "http://") ? cover : Base(c.site) + cover);
    }
}

std::string SearchUrl(int site, const char* templateKey, const std::string& keyword, int page) {
    std::string path = Rule("搜索书籍", templateKey, site);
    bool paged = Contains(path, "<%页码%>"_gbk);
    path = ReplaceAll(path, "<%关键词%>"_gbk, EncodeKeyword(Utf8ToGbk(keyword)));
    path = ReplaceAll(path, "<%页码%>"_gbk, std::to_string(page));
    // Site 0's templates carry no page number; the demo site takes one all the same.
    return Base(site) + path + (paged ? "" : "&page=" + std::to_string(page));
}

// The page as the reader's search normalises it for the site.
std::string NormalisedSearchPage(const std::string& page, int site) {
    return site == 1 ? WithoutBlanks(page) : WithoutLineBreaks(page);
}

TEST_F(DemoSitePages, SearchesFindRowsOverTwoPages) {
    struct Case {
        int site;
        const char* templateKey;
        std::string keyword;
        int matchedGroup; // the row group that holds the title or the author
    } cases[] = {
        {0, "标题搜索", "传", 2},
        {0, "作者搜索", "青云客", 3},
        {1, "标题搜索", "传", 2},
        {1, "作者搜索", "听潮生", 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.site) + " " + c.keyword);
        std::string rowPattern = Rule("搜索书籍", "搜索规则", c.site);
        std::string pagingPattern = Rule("搜索书籍", "搜索分页", c.site);
        if (c.site == 1) {
            pagingPattern = WithoutBlanks(pagingPattern);
        }
        std::set<std::string> seen;
        for (int pageNumber = 1; pageNumber <= 2; ++pageNumber) {
            Fetched page = getUrl(SearchUrl(c.site, c.templateKey, c.keyword, pageNumber));
            ASSERT_EQ(page.status, 200);
            // Site 1's reader takes any answer holding <h1> for a single book's page.
            EXPECT_FALSE(ContainsIgnoringCase(page.body, "<h1>"));
            std::string text = NormalisedSearchPage(page.body, c.site);
            std::vector<RegexMatch> rows = findAll(rowPattern, text);
            ASSERT_FALSE(rows.empty()) << pageNumber;
            for (const RegexMatch& row : rows) {
                EXPECT_TRUE(Contains(group(row, c.matchedGroup), Utf8ToGbk(c.keyword)));
                EXPECT_TRUE(seen.insert(group(row, 1)).second) << "row repeated on a later page";
            }
            std::vector<RegexMatch> paging = findAll(pagingPattern, text);
            ASSERT_FALSE(paging.empty());
            EXPECT_EQ(group(paging.front(), 1), std::to_string(pageNumber));
            EXPECT_EQ(group(paging.front(), 2), "2");
            EXPECT_EQ(getUrl(Base(c.site) + group(rows.front(), 1)).status, 200);
            if (c.site == 1) {
                Fetched directory = getUrl(Base(c.site) + group(rows.front(), 3));
                EXPECT_FALSE(DirectoryEntries(directory.body, c.site).empty());
            }
        }
    }
}

TEST_F(DemoSitePages, SiteOneAnswersASingleTitleHitWithTheBookPage) {
    struct Case {
        int site;
        std::string title;
        bool bookPage;
        size_t rows;
    } cases[] = {
        {1, "雪夜归人", true, 0},
        {0, "竹林听雨", false, 1}, // the default site lists its single hit
        {1, "无此书名", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        Fetched page = getUrl(SearchUrl(c.site, "标题搜索", c.title, 1));
        ASSERT_EQ(page.status, 200);
        EXPECT_EQ(ContainsIgnoringCase(page.body, "<h1>"), c.bookPage);
        if (c.bookPage) {
            std::string info = Cut(page.body, Rule("书页采集", "初级内容", c.site));
            EXPECT_EQ(Cut(info, Rule("书页采集", "书名", c.site)), Utf8ToGbk(c.title));
        }
        std::string text = NormalisedSearchPage(page.body, c.site);
        EXPECT_EQ(findAll(Rule("搜索书籍", "搜索规则", c.site), text).size(), c.rows);
    }
}

TEST_F(DemoSitePages, CategoryListingsRunOverThreePages) {
    struct Case {
        int site;
        int category;
    } cases[] = {{0, 0}, {0, 1}, {0, 3}, {0, 7}, {0, 9}, {0, 12}, {0, 17}, {0, 25}, {1, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.site) + " " + std::to_string(c.category));
        std::set<std::string> seen;
        for (int pageNumber = 1; pageNumber <= 3; ++pageNumber) {
            std::string path = Rule("分类采集", "分页地址", c.site);
            path = ReplaceAll(path, "<%分类%>"_gbk, std::to_string(c.category));
            path = ReplaceAll(path, "<%页码%>"_gbk, std::to_string(pageNumber));
            Fetched page = getUrl(Base(c.site) + path);
            ASSERT_EQ(page.status, 200);
            std::string cut =
                Cut(WithoutLineBreaks(page.body), Rule("分类采集", "初级内容", c.site));
            std::vector<RegexMatch> rows = findAll(Rule("分类采集", "分类规则", c.site), cut);
            ASSERT_FALSE(rows.empty()) << pageNumber;
            for (const RegexMatch& row : rows) {
                EXPECT_TRUE(seen.insert(group(row, 1)).second) << "row repeated on a later page";
            }
            std::vector<RegexMatch> paging = findAll(Rule("分类采集", "分页规则", c.site), cut);
            ASSERT_FALSE(paging.empty());
            EXPECT_EQ(group(paging.front(), 1), std::to_string(pageNumber));
            EXPECT_EQ(group(paging.front(), 2), "3");
            if (pageNumber == 1) {
                EXPECT_EQ(getUrl(Base(c.site) + group(rows.front(), 1)).status, 200);
                EXPECT_EQ(getUrl(Base(c.site) + group(rows.front(), 3)).status, 200);
            }
        }
    }
}

TEST_F(DemoSitePages, MakerPagesCarryTheUpdateAndAnnouncementBlocks) {
    Fetched update = get("lanxi.localhost", "/update.html");
    ASSERT_EQ(update.status, 200);
    std::string block = ExtractBetween(update.body, "////开始"_gbk, "////结束"_gbk);
    EXPECT_EQ(ExtractBetween(block, "最新版="_gbk, "@@@"), "2.41");
    for (const char* key : {"下载地址=", "下载方式=", "更新说明=", "强制更新="}) {
        EXPECT_FALSE(ExtractBetween(block, Utf8ToGbk(key), "@@@").empty()) << key;
    }
    EXPECT_EQ(ExtractBetween(block, "下载方式="_gbk, "@@@"), "打开网页"_gbk);

    Fetched notice = get("lanxi.localhost", "/notice.html");
    ASSERT_EQ(notice.status, 200);
    std::string announcement =
        ExtractBetween(notice.body, "========公告开始"_gbk, "公告结束========"_gbk);
    std::string lines = ApplyHtmlFilter(ExtractBetween(announcement, "公告内容="_gbk, "@@@"));
    EXPECT_EQ(gbk::split(lines, "|").size(), 2u);
    EXPECT_FALSE(ApplyHtmlFilter(ExtractBetween(announcement, "状态内容="_gbk, "@@@")).empty());

    // The addresses the reader's help and failure texts name.
    for (const char* path : {"/", "/bug.html", "/download.html"}) {
        EXPECT_EQ(get("lanxi.localhost", path).status, 200) << path;
    }
}

TEST(DemoSiteOptions, UpdatePageAnnouncesTheConfiguredVersion) {
    demo::DemoSite site({"2.5"});
    ASSERT_TRUE(site.start());
    httplib::Client client("127.0.0.1", site.port());
    httplib::Result update = client.Get("/update.html", {{"Host", "lanxi.localhost"}});
    ASSERT_TRUE(update);
    std::string block = ExtractBetween(update->body, "////开始"_gbk, "////结束"_gbk);
    EXPECT_EQ(ExtractBetween(block, "最新版="_gbk, "@@@"), "2.5");
}

TEST_F(DemoSitePages, UnknownAddressesAnswerNotFound) {
    struct Case {
        std::string host, path;
    } cases[] = {
        {"elsewhere.localhost", "/"},
        {"rdzw.localhost", "/no/such/page.html"},
        {"rdzw.localhost", "/Book/9999/Index.aspx"},
        {"rdzw.localhost", "/Html/Book/2/1234/12340001.shtml"}, // wrong <%id1%>
        {"rdzw.localhost", "/Html/Book/1/1234/12349999.shtml"}, // past the last chapter
        {"kanshuzhan.localhost", "/bookinfo/0/3456.html"},
        {"kanshuzhan.localhost", "/files/article/html/6/6789/67890003.gif"},
        {"lanxi.localhost", "/Book/1234/Index.aspx"},
    };
    for (const Case& c : cases) {
        Fetched page = get(c.host, c.path);
        EXPECT_EQ(page.status, 404) << c.host << c.path;
        EXPECT_TRUE(Contains(page.body, "404")) << c.host << c.path;
    }
}

} // namespace
