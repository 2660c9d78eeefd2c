#include "rules/site_rules.h"

#include "platform/file_io.h"
#include "platform/ini_file.h"
#include "platform/paths.h"
#include "text/gbk_convert.h"
#include "text/gbk_text.h"

#include <mutex>

namespace lanxi {

namespace embedded {
extern const std::string_view kRdzwDefaultRules;
extern const std::string_view kKanshuzhanDefaultRules;
} // namespace embedded

using namespace literals;

namespace {

thread_local std::string t_siteBaseAddress;

int effectiveSite(int site) {
    return site > kSiteKanshuzhan ? kSiteRdzw : site;
}

void createMissingRuleFile(const std::filesystem::path& path, int site) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        return;
    }
    // Two threads may both find the file missing; the lock keeps the second from
    // replacing a file that the first has written and someone has since edited.
    static std::mutex m;
    std::lock_guard lock(m);
    if (!std::filesystem::exists(path, ec)) {
        WriteFileAtomically(path, DefaultRuleText(site));
    }
}

} // namespace

std::filesystem::path RulePath(int site) {
    switch (site) {
    case kSiteRdzw:
        return ProgramDirectory() / "data" / "rdzw_gz.txt";
    case kSiteKanshuzhan:
        return ProgramDirectory() / "data" / "kanshuzhan_gz.txt";
    default:
        return {};
    }
}

std::string_view DefaultRuleText(int site) {
    switch (site) {
    case kSiteRdzw:
        return embedded::kRdzwDefaultRules;
    case kSiteKanshuzhan:
        return embedded::kKanshuzhanDefaultRules;
    default:
        return {};
    }
}

std::string ReadRule(std::string_view section, std::string_view key, std::string_view defaultValue,
                     int site) {
    int effective = effectiveSite(site);
    std::filesystem::path path = RulePath(effective);
    if (path.empty()) {
        t_siteBaseAddress.clear();
        return {};
    }
    createMissingRuleFile(path, effective);
    // One read serves both lookups; a file that cannot be read gives the defaults.
    const std::string text = ReadFileBytes(path).value_or(std::string());
    t_siteBaseAddress = IniReadText(text, "普通信息"_gbk, "网站地址"_gbk, "");
    return IniReadText(text, section, key, defaultValue);
}

const std::string& SiteBaseAddress() {
    return t_siteBaseAddress;
}

BookPageAddress BookPageUrl(std::string_view bookId, std::string_view siteText, bool siteGiven) {
    const int siteNumber = static_cast<int>(gbk::integer(siteText));
    BookPageAddress a;
    a.siteBase =
        siteGiven ? ReadRule("普通信息"_gbk, "网站地址"_gbk, "", siteNumber) : SiteBaseAddress();
    const std::string idPrefix = gbk::length(bookId) >= 4 ? gbk::left(bookId, 1) : "0";
    std::string path = ReadRule("书页采集"_gbk, "书页地址示例"_gbk, "", siteNumber);
    path = gbk::replaceAll(path, "<%id1%>", idPrefix, 1, -1, true);
    path = gbk::replaceAll(path, "<%id%>", bookId, 1, -1, true);
    a.url = a.siteBase + path;
    return a;
}

} // namespace lanxi
