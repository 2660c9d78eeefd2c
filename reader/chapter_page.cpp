#include "reader/chapter_page.h"

#include "net/url.h"
#include "rules/extraction.h"
#include "rules/regex.h"
#include "rules/site_rules.h"
#include "text/gbk_convert.h"
#include "text/gbk_text.h"

namespace lanxi {

using namespace literals;

namespace {

std::string cut(std::string_view page, std::string_view pairValue) {
    MarkerPair pair = SplitMarkerPair(pairValue);
    return ExtractBetween(page, pair.start, pair.end);
}

// A next link much longer than the previous one is the site's "back to the index" link.
constexpr gbk::Pos kLastChapterSlack = 10;

} // namespace

ChapterRules ReadChapterRules(int site) {
    const std::string section = "书籍内容"_gbk;
    ChapterRules r;
    // The list first, so that the site's own reads leave SiteBaseAddress at its address.
    r.htmlFilter = ReadRule("普通信息"_gbk, "HTML", "");
    r.titlePattern = ReadRule(section, "章节书名"_gbk, "", site);
    r.prevPair = ReadRule(section, "上一页"_gbk, "", site);
    r.nextPair = ReadRule(section, "下一页"_gbk, "", site);
    r.idPair = ReadRule(section, "小说id"_gbk, "", site);
    r.contentPair = ReadRule(section, "章节内容"_gbk, "", site);
    r.siteBase = SiteBaseAddress();
    return r;
}

ChapterPage ParseChapterPage(std::string_view page, const ChapterRules& rules,
                             std::string_view address) {
    ChapterPage c;
    if (std::optional<RegexMatch> titles = findFirst(rules.titlePattern, page)) {
        c.titleFound = true;
        c.chapterTitle = group(*titles, 2);
        c.title = group(*titles, 1);
    }
    c.prevLink = cut(page, rules.prevPair);
    c.nextLink = cut(page, rules.nextPair);
    c.bookId = cut(page, rules.idPair);
    c.content = ApplyHtmlFilterList(cut(page, rules.contentPair), rules.htmlFilter);
    c.ok = gbk::length(c.content) > 1;
    c.isImage = c.ok && gbk::find(c.content, "<img src=") != gbk::kNotFound;

    const std::string directory = UrlDirectory(address);
    c.isLast = gbk::length(c.nextLink) > gbk::length(c.prevLink) + kLastChapterSlack ||
               gbk::find(c.nextLink, "index", 1, true) != gbk::kNotFound;
    if (!c.isLast) {
        c.nextUrl = directory + c.nextLink;
    }
    c.isFirst = gbk::find(c.prevLink, "index", 1, true) != gbk::kNotFound;
    if (!c.isFirst) {
        c.prevUrl = directory + c.prevLink;
    }
    return c;
}

std::string AbsoluteImageSources(std::string_view content, std::string_view siteBase) {
    return gbk::replaceAll(content, "\"/", "\"" + std::string(siteBase) + "/");
}

std::string ImageChapterPage(std::string_view title, std::string_view chapterTitle,
                             std::string_view content, std::string_view trailer) {
    std::string page(title);
    page += "--";
    page += chapterTitle;
    page += "<BR /><BR />";
    page += content;
    page += trailer;
    return page;
}

std::string FormatImageLogDate(const std::tm& t) {
    std::string out = std::to_string(t.tm_year + 1900) + "年"_gbk + std::to_string(t.tm_mon + 1) +
                      "月"_gbk + std::to_string(t.tm_mday) + "日"_gbk;
    const int parts[] = {t.tm_hour, t.tm_min, t.tm_sec};
    static const std::string units[] = {"时"_gbk, "分"_gbk, "秒"_gbk};
    int last = 2;
    while (last >= 0 && parts[last] == 0) {
        --last;
    }
    for (int i = 0; i <= last; ++i) {
        out += std::to_string(parts[i]) + units[i];
    }
    return out;
}

} // namespace lanxi
