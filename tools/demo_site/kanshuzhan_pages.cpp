// The second site ("看书站"): PHP-style addresses, chapters under
// /files/article/html/<%id1%>/<%id%>/ as .html files, pages shaped as site 1's default rules
// expect.
#include "text/gbk_convert.h"
#include "tools/demo_site/site_pages.h"

namespace lanxi::demo {

namespace {

std::string BookDirectory(const Book& book) {
    return "/files/article/html/" + IdPrefix(book.id) + "/" + book.id + "/";
}

std::string BookPagePath(const Book& book) {
    return "/bookinfo/" + IdPrefix(book.id) + "/" + book.id + ".html";
}

std::string ChapterFile(const Book& book, int chapter) {
    return std::to_string(ChapterFileNumber(book, chapter)) + ".html";
}

std::string NewestChapterPath(const Book& book) {
    return BookDirectory(book) + ChapterFile(book, book.chapterCount);
}

Page Chapter(const Book& book, int chapter) {
    std::string prev = chapter == 1 ? "index.html" : ChapterFile(book, chapter - 1);
    std::string next = chapter == book.chapterCount ? "index.html" : ChapterFile(book, chapter + 1);
    std::string title = ChapterTitle(book, chapter);
    std::string p;
    Line(p, {kHead});
    Line(p, {"<title>", book.title, "-", title, "最新章节-看书站</title>"});
    Line(p,
         {"<script type=\"text/javascript\">var preview_page = \"", prev, "\";var next_page = \"",
          next, "\";var article_id = \"", book.id, "\";var chapter_id = \"",
          std::to_string(ChapterFileNumber(book, chapter)), "\";</script>"});
    Line(p, {"</head><body>"});
    Line(p, {"<table width=\"100%\"><tr><td><table width=\"100%\"><tr><td class=\"title\">",
             book.title, " ", title, "</td></tr></table></td></tr></table>"});
    Line(p, {ChapterBodyHtml(book, chapter, "")});
    Line(p, {"<!-- 翻页上AD开始 --><div class=\"ad\"></div>"});
    Line(p, {"<div class=\"pagebar\"><a href=\"", prev, "\">上一章</a> | <a href=\"index.html\">",
             "返回目录</a> | <a href=\"", next, "\">下一章</a></div>"});
    Line(p, {"</body></html>"});
    return GbkHtml(p);
}

Page Directory(const Book& book) {
    std::string p;
    Line(p, {kHead});
    Line(p, {"<title>", book.title, "最新章节列表-看书站</title></head><body>"});
    Line(p, {"<div class=\"booktitle\">", book.title, " 作者：", book.author, "</div>"});
    Line(p, {"<ul class=\"tool\"><li><a href=\"", BookPagePath(book),
             "\">返回书页</a></li><li><a href=\"#\">+到雅虎收藏</a></li></ul>"});
    Line(p, {"<div class=\"list\"><ul>"});
    for (int n = 1; n <= book.chapterCount; ++n) {
        Line(p,
             {"<li><a href=\"", ChapterFile(book, n), "\">", ChapterTitle(book, n), "</a></li>"});
    }
    Line(p, {"</ul></div>"});
    Line(p, {"<center><script language=\"javascript\" type=\"text/javascript\" "
             "src=\"/js/list_bottom.js\"></script></center>"});
    Line(p, {"</body></html>"});
    return GbkHtml(p);
}

Page BookInformation(const Book& book) {
    std::string newest = NewestChapterPath(book);
    std::string p;
    Line(p, {kHead});
    Line(p, {"<title>", book.title, "-看书站</title></head><body>"});
    Line(p, {"<table width=\"100%\"><tr>"});
    Line(p,
         {"<td width=\"80%\" align=\"center\" valign=\"middle\"><h1>", book.title, "</h1></td>"});
    Line(p, {"<td width=\"20%\"><a href=\"", BookDirectory(book), "\">点击阅读</a></td></tr>"});
    Line(p, {"</table>"});
    Line(p, {"<table width=\"100%\"><tr>"});
    Line(p, {"<td width=\"25%\">类&nbsp;&nbsp;&nbsp; 别：", CategoryName(book.category), "</td>"});
    Line(p, {"<td width=\"25%\">作&nbsp;&nbsp;&nbsp; 者：", book.author, "</td>"});
    Line(p, {"<td width=\"25%\">文章状态：", StatusText(book), "</td>"});
    Line(p, {"<td width=\"25%\">最后更新：", UpdateDate(book), "</td></tr>"});
    Line(p, {"</table>"});
    Line(p, {"<table width=\"100%\"><tr><td width=\"20%\" valign=\"top\"><img src=\"",
             CoverPath(book), "\" border=\"0\" width=\"90\" height=\"120\" /></td>"});
    Line(p, {"<td valign=\"top\"><span class=\"hottext\">最新章节：</span><a href=\"", newest,
             "\">", ChapterTitle(book, book.chapterCount), "</a><br />"});
    Line(p, {"<span class=\"hottext\">内容简介：</span><br />", IntroductionHtml(book),
             "<p><a target=\"_blank\" href=\"http://search.localhost/baidu?tn=lvdan_pg&word=",
             PercentEncode(Utf8ToGbk(book.title)), "\">搜索本书</a></p>"});
    Line(p, {"</td></tr></table>"});
    Line(p, {"</body></html>"});
    return GbkHtml(p);
}

// One result row. The blanks inside the tags and the TAB are where the rule expects them
// once the reader has removed every blank and CR LF from the page.
void ResultRow(std::string& p, const Book& b) {
    Line(p, {"<tr>"});
    Line(p, {"<td class=\"odd\"><a href=\"", BookPagePath(b), "\">", b.title, "</a></td>"});
    Line(p, {"<td class=\"even\"><a href=\"", BookDirectory(b), "\" target=\"_blank\">",
             ChapterTitle(b, b.chapterCount), "</a></td>"});
    Line(p, {"<td class=\"odd\">", b.author, "</td>\t<td class=\"even\">", WordCount(b), "</td>"});
    Line(p, {"<td class=\"odd\" align=\"center\">", UpdateDate(b), "</td>"});
    Line(p, {"<td class=\"even\" align=\"center\">", StatusText(b), "</td>"});
    Line(p, {"</tr>"});
}

Page SearchResults(const BookListPage& page) {
    std::string p;
    Line(p, {kHead});
    Line(p, {"<title>搜索结果-看书站</title></head><body>"});
    Line(p, {"<table class=\"grid\" width=\"100%\" align=\"center\"><caption>搜索结果</caption>"});
    Line(p, {"<tr align=\"center\"><th width=\"20%\">文章名称</th><th width=\"40%\">最新章节</th>"
             "<th width=\"15%\">作者</th><th width=\"9%\">字数</th><th width=\"10%\">更新</th>"
             "<th width=\"6%\">状态</th></tr>"});
    for (const Book* b : page.rows) {
        ResultRow(p, *b);
    }
    Line(p, {"</table>"});
    if (page.total > 0) {
        Line(p,
             {"<div class=\"pages\"><div class=\"pagelink\" id=\"pagelink\"><em "
              "id=\"pagestats\">",
              std::to_string(page.current), "/", std::to_string(page.total), "</em></div></div>"});
    } else {
        Line(p, {"<div class=\"empty\">没有找到相关的小说。</div>"});
    }
    Line(p, {"</body></html>"});
    return GbkHtml(p);
}

Page Search(const PageRequest& request) {
    SearchField field =
        QueryText(request, "searchtype") == "author" ? SearchField::kAuthor : SearchField::kTitle;
    std::vector<const Book*> found =
        SearchBooks(kKanshuzhan, field, QueryText(request, "searchkey"));
    // The site answers a title search with a single hit by showing that book's own page.
    if (field == SearchField::kTitle && found.size() == 1) {
        return BookInformation(*found.front());
    }
    return SearchResults(SearchResultPage(found, QueryNumber(request, "page", 1)));
}

// /booksort<%分类%>/0/<%页码%>.html, shaped for site 1's [分类采集] keys.
Page Listing(int category, long long pageNumber) {
    BookListPage page = CategoryListingPage(kKanshuzhan, category, pageNumber);
    if (page.total == 0) {
        return NotFoundPage();
    }
    std::string p;
    Line(p, {kHead});
    Line(p, {"<title>", CategoryName(category), "-看书站</title></head><body>"});
    Line(p, {"<div id=\"main\"><div class=\"list\"><div class=\"grid\"><table width=\"100%\">"});
    Line(p, {"<tr><th width=\"20%\">文章名称</th><th width=\"40%\">最新章节</th><th "
             "width=\"15%\">作者</th><th width=\"9%\">字数</th><th width=\"10%\">更新</th><th "
             "width=\"6%\">状态</th></tr>"});
    for (const Book* b : page.rows) {
        Line(p, {"<tr>"});
        Line(p, {"<td class=\"odd\"><a href=\"", BookPagePath(*b), "\">", b->title,
                 "</a></td>    <td class=\"even\"><a href=\"", NewestChapterPath(*b),
                 "\" target=\"_blank\">", ChapterTitle(*b, b->chapterCount),
                 "</a></td>    <td class=\"odd\">", b->author, "</td>\t<td class=\"even\">",
                 WordCount(*b), "</td>    <td class=\"odd\" align=\"center\">", UpdateDate(*b),
                 "</td>    <td class=\"even\" align=\"center\">", StatusText(*b), "</td>  </tr>"});
    }
    Line(p, {"</table>"});
    Line(p, {"<div class=\"pages\"><em id=\"pagestats\">", std::to_string(page.current), "/",
             std::to_string(page.total), "</em></div></div></div></div>"});
    Line(p, {"</body></html>"});
    return GbkHtml(p);
}

// /files/article/html/<%id1%>/<%id%>/[index.html | <chapter>.html]
Page BookFile(const std::vector<std::string>& parts) {
    const Book* book = BookAt(kKanshuzhan, parts[3], parts[4]);
    if (!book) {
        return NotFoundPage();
    }
    if (parts.size() == 5 || parts[5] == "index.html") {
        return Directory(*book);
    }
    int chapter = ChapterOfFile(*book, parts[5], ".html");
    return chapter > 0 ? Chapter(*book, chapter) : NotFoundPage();
}

} // namespace

Page KanshuzhanPage(const PageRequest& request) {
    std::vector<std::string> parts = PathParts(request.path);
    size_t n = parts.size();
    if (n == 0) {
        return CatalogueHome(kKanshuzhan, "看书站", BookPagePath);
    }
    if (n == 3 && parts[0] == "modules" && parts[1] == "article" && parts[2] == "search.php") {
        return Search(request);
    }
    if (n == 3 && parts[0] == "bookinfo" && EndsWith(parts[2], ".html")) {
        const Book* book = BookAt(kKanshuzhan, parts[1], parts[2].substr(0, parts[2].size() - 5));
        return book ? BookInformation(*book) : NotFoundPage();
    }
    if ((n == 5 || n == 6) && parts[0] == "files" && parts[1] == "article" && parts[2] == "html") {
        return BookFile(parts);
    }
    if (n == 3 && parts[0].rfind("booksort", 0) == 0 && parts[1] == "0") {
        return Listing(static_cast<int>(LeadingNumber(parts[0].substr(8))),
                       LeadingNumber(parts[2]));
    }
    Page picture = PicturePage(kKanshuzhan, parts);
    return picture.status != 0 ? picture : NotFoundPage();
}

} // namespace lanxi::demo
