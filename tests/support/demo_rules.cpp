#include "support/demo_rules.h"

#include "rules/site_rules.h"
#include "text/gbk_text.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace lanxi::test {

void PointRulesAtPort(int port) {
    for (int site : {kSiteRdzw, kSiteKanshuzhan}) {
        std::string text =
            gbk::replaceAll(DefaultRuleText(site), ":8733", ":" + std::to_string(port));
        std::filesystem::path path = RulePath(site);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    }
}

} // namespace lanxi::test
