#pragma once
// Per-site rule files: INI files in GBK under <program directory>/data, one per site,
// written from the built-in defaults when missing and read fresh on every access.
#include <filesystem>
#include <string>
#include <string_view>

namespace lanxi {

enum SiteIndex : int { kSiteRdzw = 0, kSiteKanshuzhan = 1 };

// <program dir>/data/rdzw_gz.txt for 0, .../kanshuzhan_gz.txt for 1, empty for anything else.
std::filesystem::path RulePath(int site);

// The built-in rule text of site 0 or 1 (GBK, CR LF, no final line break); empty otherwise.
std::string_view DefaultRuleText(int site);

// Reads [section] key of the site's rule file. A site above 1 means site 0; a negative site
// has no file, so everything reads as empty. Creates a missing file from the defaults first,
// and sets SiteBaseAddress to the file's [普通信息] 网站地址.
std::string ReadRule(std::string_view section, std::string_view key,
                     std::string_view defaultValue = {}, int site = kSiteRdzw);

// The 网站地址 of the rule file this thread read last (each thread sees its own reads).
const std::string& SiteBaseAddress();

struct BookPageAddress {
    std::string url;      // base address + the site's 书页地址示例 filled in
    std::string siteBase; // the base address used
};
// Book information page address. `siteText` holds a site number; the base address is that
// site's when siteGiven is set, else the current SiteBaseAddress.
BookPageAddress BookPageUrl(std::string_view bookId, std::string_view siteText, bool siteGiven);

} // namespace lanxi
