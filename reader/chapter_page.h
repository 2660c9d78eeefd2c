#pragma once
// A chapter page taken apart with a site's [书籍内容] rules: titles, neighbour links, the book
// number and the cleaned text, with the first/last-chapter decisions and the addresses the
// previous and next commands will read.
#include <ctime>
#include <string>
#include <string_view>

namespace lanxi {

// Everything a chapter page is read with, taken from the rule files in one step.
struct ChapterRules {
    std::string siteBase;     // the site's 网站地址: relative addresses and picture sources
    std::string titlePattern; // 章节书名: group 1 book title, group 2 chapter title
    std::string prevPair;     // 上一页
    std::string nextPair;     // 下一页
    std::string idPair;       // 小说id
    std::string contentPair;  // 章节内容
    std::string htmlFilter;   // site 0's HTML replacement list, which cleans every site's text
};

// Reads the rules of `site` and site 0's replacement list; afterwards SiteBaseAddress is
// the site's address.
ChapterRules ReadChapterRules(int site);

struct ChapterPage {
    bool titleFound = false; // the title pattern matched; the titles below are then set
    std::string title;
    std::string chapterTitle;
    std::string prevLink; // as cut from the page
    std::string nextLink;
    std::string bookId;
    std::string content; // cut and passed through the HTML replacement list
    bool ok = false;     // more than one byte of content
    bool isImage = false;
    bool isFirst = false;
    bool isLast = false;
    std::string prevUrl; // the chapter's directory + prevLink; empty for the first chapter
    std::string nextUrl; // the chapter's directory + nextLink; empty for the last chapter
};

// `address` is the absolute address the page was read from.
ChapterPage ParseChapterPage(std::string_view page, const ChapterRules& rules,
                             std::string_view address);

// Root-relative sources ("/...") become absolute under `siteBase`.
std::string AbsoluteImageSources(std::string_view content, std::string_view siteBase);

// The page shown for an image chapter: titles, the content and the program's trailer.
std::string ImageChapterPage(std::string_view title, std::string_view chapterTitle,
                             std::string_view content, std::string_view trailer);

// "2010年12月8日9时5分3秒", leaving out trailing parts that are zero.
std::string FormatImageLogDate(const std::tm& time);

} // namespace lanxi
