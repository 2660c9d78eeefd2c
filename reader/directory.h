#pragma once
// A book's chapter directory: which page to fetch, and the entries cut out of it with the
// site's [书籍目录] rules.
#include <string>
#include <string_view>
#include <vector>

namespace lanxi {

struct DirectoryRules {
    std::string siteBase; // the site's 网站地址, in front of a relative address
    std::string start;    // 目录初级内容, first half
    std::string end;      // 目录初级内容, second half (empty when the value has no "|")
    std::string pattern;  // 章节url章节名: group 1 chapter address, group 2 title
};

// Reads the rules of `site`; afterwards SiteBaseAddress is that site's address.
DirectoryRules ReadDirectoryRules(int site);

// The page to fetch: site 0 always reads its "index.shtml" beside the given address; an
// address without a scheme is relative to the site base.
std::string DirectoryPageAddress(std::string_view address, int site, std::string_view siteBase);

struct DirectoryEntry {
    int number = 0;    // leading digits of the chapter's file name, 0 when there are none
    std::string title; // GBK
    std::string url;   // directory of the page + group 1
};

struct DirectoryListing {
    std::vector<DirectoryEntry> entries; // empty: the load failed
    std::string chapterTemplate;         // directory + "<%id%>.Shtml" (site 0) or ".html"
    std::string bookId;                  // the directory's last folder name
    std::string base;                    // UrlDirectory of the page address
};

// `pageAddress` is the address the page was fetched from (DirectoryPageAddress's result).
DirectoryListing ParseDirectoryPage(std::string_view page, const DirectoryRules& rules,
                                    std::string_view pageAddress, int site);

// The chapter number of a chapter address, as the directory tree stores it.
int ChapterNumberOf(std::string_view chapterUrl);

// The address of chapter `number` under a directory's template.
std::string ChapterAddressFromTemplate(std::string_view chapterTemplate, long long number);

// The progress shown while entry i of n is added: i / n × 100, truncated.
int DirectoryProgressPercent(size_t i, size_t n);

} // namespace lanxi
