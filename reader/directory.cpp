#include "reader/directory.h"

#include "net/url.h"
#include "rules/extraction.h"
#include "rules/regex.h"
#include "rules/site_rules.h"
#include "text/gbk_convert.h"
#include "text/gbk_text.h"

#include <limits>

namespace lanxi {

using namespace literals;

DirectoryRules ReadDirectoryRules(int site) {
    const std::string section = "书籍目录"_gbk;
    MarkerPair pair = SplitMarkerPair(ReadRule(section, "目录初级内容"_gbk, "", site));
    DirectoryRules r;
    r.start = std::move(pair.start);
    r.end = std::move(pair.end);
    r.pattern = ReadRule(section, "章节url章节名"_gbk, "", site);
    r.siteBase = SiteBaseAddress();
    return r;
}

std::string DirectoryPageAddress(std::string_view address, int site, std::string_view siteBase) {
    std::string a(address);
    if (site == 0) {
        a = UrlDirectory(a) + "index.shtml";
    }
    return CompleteSiteAddress(a, siteBase);
}

int ChapterNumberOf(std::string_view chapterUrl) {
    long long n = gbk::integer(UrlLastSegment(chapterUrl, 0));
    if (n > std::numeric_limits<int>::max() || n < std::numeric_limits<int>::min()) {
        return 0; // no 32-bit chapter number: treated like a name without digits
    }
    return static_cast<int>(n);
}

std::string ChapterAddressFromTemplate(std::string_view chapterTemplate, long long number) {
    return gbk::replaceAll(chapterTemplate, "<%id%>", std::to_string(number));
}

int DirectoryProgressPercent(size_t i, size_t n) {
    if (n == 0) {
        return 0;
    }
    return static_cast<int>(static_cast<double>(i) / static_cast<double>(n) * 100.0);
}

DirectoryListing ParseDirectoryPage(std::string_view page, const DirectoryRules& rules,
                                    std::string_view pageAddress, int site) {
    DirectoryListing listing;
    std::string part = ExtractBetween(page, rules.start, rules.end);
    std::vector<RegexMatch> matches = findAll(rules.pattern, part);
    if (matches.empty()) {
        return listing;
    }
    listing.base = UrlDirectory(pageAddress);
    listing.chapterTemplate = listing.base + (site == 0 ? "<%id%>.Shtml" : "<%id%>.html");
    listing.bookId = UrlLastSegment(pageAddress, 1);
    listing.entries.reserve(matches.size());
    for (const RegexMatch& m : matches) {
        DirectoryEntry e;
        e.url = listing.base + group(m, 1);
        e.title = group(m, 2);
        e.number = ChapterNumberOf(e.url);
        listing.entries.push_back(std::move(e));
    }
    return listing;
}

} // namespace lanxi
