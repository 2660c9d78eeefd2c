// The default site ("RD中文网"): ASP.NET-style addresses, chapters under
// /Html/Book/<%id1%>/<%id%>/ as .shtml files, pages shaped as site 0's default rules expect.
#include "text/gbk_convert.h"
#include "tools/demo_site/site_pages.h"

namespace lanxi::demo {

namespace {

std::string BookDirectory(const Book& book) {
    return "/Html/Book/" + IdPrefix(book.id) + "/" + book.id + "/";
}

std::string BookPagePath(const Book& book) {
    return "/Book/" + book.id + "/Index.aspx";
}

std::string ChapterFile(const Book& book, int chapter) {
    return std::to_string(ChapterFileNumber(book, chapter)) + ".shtml";
}

std::string NewestChapterPath(const Book& book) {
    return BookDirectory(book) + ChapterFile(book, book.chapterCount);
}

std::string AuthorSearchPath(const Book& book) {
    return "/Book/Search.aspx?SearchClass=0&SearchKey=" + PercentEncode(Utf8ToGbk(book.author));
}

Page Chapter(const PageRequest& request, const Book& book, int chapter) {
    // Like the real site, the first and last chapters link back to the index.
    std::string prev = chapter == 1 ? "index.shtml" : ChapterFile(book, chapter - 1);
    std::string next =
        chapter == book.chapterCount ? "index.shtml" : ChapterFile(book, chapter + 1);
    std::string title = ChapterTitle(book, chapter);
    std::string notice = "<img src=\"/images/front.gif\" id=\"frontimage\" />";
    std::string tail = "读好书,请记住RD中文网唯一地址(http://" + request.hostHeader + ")";
    std::string p;
    Line(p, {kHead});
    Line(p, {"<title>", book.title, "最新章节， ", title, "- RD中文网</title>"});
    Line(p, {"<script type=\"text/javascript\">var prevpage=\"", prev, "\";var nextpage=\"", next,
             "\";var gotobook=\"/Book/", book.id, "/Index.aspx\";var chapter_id = \"",
             std::to_string(ChapterFileNumber(book, chapter)), "\";</script>"});
    Line(p, {"<style type=\"text/css\">span.wartermark{color: #f0fafe;}</style>"});
    Line(p, {"</head><body>"});
    Line(p, {"<div class=\"Tbox\"><a href=\"/\">RD中文网</a> &gt; <a href=\"", BookPagePath(book),
             "\">", book.title, "</a> &gt; ", title, "</div>"});
    Line(p, {"<div class=\"Ttitle\"><b>", title, "</b></div>"});
    Line(p, {"<div id=\"BookText\">", ChapterBodyHtml(book, chapter, notice),
             chapter == book.imageChapter ? "" : tail, "<script src=\"/js/gg2.js\"></script>"});
    Line(p, {"</div>"});
    Line(p, {"<div class=\"pagebar\"><a href=\"", prev, "\">上一页</a> | <a href=\"index.shtml\">",
             "返回目录</a> | <a href=\"", next, "\">下一页</a></div>"});
    Line(p, {"</body></html>"});
    return GbkHtml(p);
}

Page Directory(const Book& book) {
    std::string p;
    Line(p, {kHead});
    Line(p, {"<title>", book.title, "最新章节列表 - RD中文网</title></head><body>"});
    Line(p, {"<div class=\"Tbox\"><a href=\"", BookPagePath(book), "\">", book.title,
             "</a> 作者:", book.author, "</div>"});
    Line(p, {"<div id=\"BookText\"><br />"});
    Line(p, {"<ul>"});
    for (int n = 1; n <= book.chapterCount; ++n) {
        std::string title = ChapterTitle(book, n);
        Line(p, {"<li><a href=\"", ChapterFile(book, n), "\" title=\"章节名:", title,
                 "更新时间:", ChapterTime(book, n), "\">", title, "</a></li>"});
    }
    Line(p, {"</ul>"});
    Line(p, {"</div>"});
    Line(p, {"<div class=\"bgc\">RD中文网</div>"});
    Line(p, {"</body></html>"});
    return GbkHtml(p);
}

Page BookInformation(const Book& book) {
    std::string newest = NewestChapterPath(book);
    std::string p;
    Line(p, {kHead});
    Line(p, {"<title>", book.title, "最新章节,", book.title, "全文阅读 - RD中文网</title>"});
    Line(p, {"</head><body>"});
    Line(p, {"<div class=\"Pbox\"><div class=\"Tbox\"><b>小说详细介绍</b></div>"});
    Line(p, {"<table><tr><td valign=\"top\"><img src=\"", CoverPath(book),
             "\" width=\"90\" height=\"120\" alt=\"", book.title, "\" /></td>"});
    Line(p, {"<td valign=\"top\"><ul>"});
    Line(p, {"<li><span class=\"Fg Lj C5\">《", book.title, "》</span></li>"});
    Line(p, {"<li>类别:<a href=\"/Book/LN/", std::to_string(book.category), ".aspx\">",
             CategoryName(book.category), "</a></li><li>写作状态:", StatusText(book),
             "</li><li>作者:", book.author, "</li><li>字数:", WordCount(book), "</li>"});
    Line(p, {"</ul>"});
    Line(p, {"<table><tr><td>最后更新：", UpdateDate(book), "</td></tr></table>"});
    Line(p, {"<div class=\"new\">最新章节 >>>>>> <a href=\"", newest, "\">",
             ChapterTitle(book, book.chapterCount), "</a></div>"});
    Line(p, {"<ul><li class=\"Fb C4 LD\"><b>", IntroductionHtml(book),
             " <!-- li class=\"C9 Lc R\"><a href=\"#\">展开</a></li --></b></li></ul>"});
    Line(p, {"<div class=\"links\"><a href=\"", BookDirectory(book),
             "index.shtml\">点击阅读</a></div>"});
    Line(p, {"</td></tr></table></div>"});
    Line(p, {"<div class=\"Pbox T\"><!-- 下载 !--></div>"});
    Line(p, {"</body></html>"});
    return GbkHtml(p);
}

Page Search(const PageRequest& request) {
    SearchField field =
        QueryText(request, "SearchClass") == "0" ? SearchField::kAuthor : SearchField::kTitle;
    std::vector<const Book*> found = SearchBooks(kRdzw, field, QueryText(request, "SearchKey"));
    BookListPage page = SearchResultPage(found, QueryNumber(request, "page", 1));
    std::string p;
    Line(p, {kHead});
    Line(p, {"<title>搜索结果 - RD中文网</title></head><body>"});
    Line(p, {"<div id=\"CList\">"});
    if (page.rows.empty()) {
        Line(p, {"<div class=\"empty\">没有找到相关的小说。</div>"});
    }
    for (const Book* b : page.rows) {
        Line(p, {"<div id=\"CListTitle\"><a href=\"", BookPagePath(*b), "\" target=\"_blank\"><b>",
                 b->title, "</b></a>  [ <a href=\"", AuthorSearchPath(*b), "\">", b->author,
                 "</a> | ", CategoryName(b->category), " | 最新章节 >>> <a href=\"",
                 NewestChapterPath(*b), "\" target=\"_blank\">", ChapterTitle(*b, b->chapterCount),
                 "</a> | ", UpdateDate(*b), " ]</div>"});
        Line(p, {"<div id=\"CListText\">", Introduction(*b).front(), "</div>"});
    }
    Line(p, {"</div>"});
    if (page.total > 0) {
        Line(p, {"<div class=\"pages\"><em id=\"pagestats\">", std::to_string(page.current), "/",
                 std::to_string(page.total), "</em></div>"});
    }
    Line(p, {"</body></html>"});
    return GbkHtml(p);
}

Page Listing(int category, long long pageNumber) {
    BookListPage page = CategoryListingPage(kRdzw, category, pageNumber);
    if (page.total == 0) {
        return NotFoundPage();
    }
    std::string next = std::to_string(std::min(page.current + 1, page.total));
    std::string p;
    Line(p, {kHead});
    Line(p, {"<title>", CategoryName(category), " - RD中文网</title></head><body>"});
    Line(p, {"<div class=\"List\"><ul>"});
    Line(p, {"<li class=\"title\"><strong><font color=\"#FF0000\">", CategoryName(category),
             "</font>书籍列表</strong></li>"});
    int number = 0;
    for (const Book* b : page.rows) {
        Line(p, {"<li class=\"k01\">", std::to_string(++number), "</li>"});
        Line(p, {"<li class=\"k02\"><a href=\"", BookPagePath(*b), "\"><font color=\"#006699\">",
                 b->title, "</font></a>&nbsp;<a href=\"", NewestChapterPath(*b), "\">",
                 ChapterTitle(*b, b->chapterCount), "</a></li>"});
        Line(p, {"<li class=\"k03 C8\"><a href=\"", AuthorSearchPath(*b), "\">", b->author,
                 "</a></li><li class=\"k04\">", UpdateDate(*b), "</li><li class=\"k05\">",
                 StatusText(*b), "</li>"});
    }
    Line(p, {"</ul></div>"});
    Line(p, {"<div class=\"pager\">当前 <font color=red><b>", std::to_string(page.current),
             "</b></font> / <font color=blue><b>", std::to_string(page.total),
             "</b></font> 页 <a href=\"/Book/ShowBookList.aspx?tclassid=", std::to_string(category),
             "&page=", next, "\">下一页</a></div>"});
    Line(p, {"<!---- AspNetPager V4.3.5 End ---->"});
    Line(p, {"</body></html>"});
    return GbkHtml(p);
}

// /Html/Book/<%id1%>/<%id%>/[index.shtml | <chapter>.shtml]
Page BookFile(const PageRequest& request, const std::vector<std::string>& parts) {
    const Book* book = BookAt(kRdzw, parts[2], parts[3]);
    if (!book) {
        return NotFoundPage();
    }
    if (parts.size() == 4 || parts[4] == "index.shtml") {
        return Directory(*book);
    }
    int chapter = ChapterOfFile(*book, parts[4], ".shtml");
    return chapter > 0 ? Chapter(request, *book, chapter) : NotFoundPage();
}

} // namespace

Page RdzwPage(const PageRequest& request) {
    std::vector<std::string> parts = PathParts(request.path);
    size_t n = parts.size();
    if (n == 0) {
        return CatalogueHome(kRdzw, "RD中文网", BookPagePath);
    }
    if (n == 2 && parts[0] == "book" && parts[1] == "search.aspx") {
        return Search(request);
    }
    if (n == 2 && parts[0] == "book" && parts[1] == "showbooklist.aspx") {
        return Listing(static_cast<int>(QueryNumber(request, "tclassid", 0)),
                       QueryNumber(request, "page", 1));
    }
    if (n == 3 && parts[0] == "book" && parts[1] == "ln" && EndsWith(parts[2], ".aspx")) {
        return Listing(static_cast<int>(LeadingNumber(parts[2])), 1);
    }
    if (n == 3 && parts[0] == "book" && parts[2] == "index.aspx") {
        const Book* book = FindBook(kRdzw, parts[1]);
        return book ? BookInformation(*book) : NotFoundPage();
    }
    if ((n == 4 || n == 5) && parts[0] == "html" && parts[1] == "book") {
        return BookFile(request, parts);
    }
    Page picture = PicturePage(kRdzw, parts);
    return picture.status != 0 ? picture : NotFoundPage();
}

} // namespace lanxi::demo
