#include "rules/extraction.h"

#include "rules/site_rules.h"
#include "text/gbk_convert.h"
#include "text/gbk_text.h"

namespace lanxi {

using namespace literals;

std::string ExtractBetween(std::string_view text, std::string_view start, std::string_view end) {
    gbk::Pos p = gbk::find(text, start);
    if (p == gbk::kNotFound) {
        return {};
    }
    gbk::Pos q = start.empty() ? 1 : p + gbk::length(start);
    std::string_view rest =
        q > gbk::length(text) ? std::string_view() : text.substr(static_cast<size_t>(q - 1));
    gbk::Pos e = gbk::find(rest, end);
    return gbk::mid(rest, 1, e - 1);
}

MarkerPair SplitMarkerPair(std::string_view ruleValue) {
    std::vector<std::string> parts = gbk::split(ruleValue, "|");
    MarkerPair pair;
    if (parts.size() >= 1) {
        pair.start = parts[0];
    }
    if (parts.size() >= 2) {
        pair.end = parts[1];
    }
    return pair;
}

std::string ApplyHtmlFilter(std::string_view text) {
    return ApplyHtmlFilterList(text, ReadRule("普通信息"_gbk, "HTML", ""));
}

std::string ApplyHtmlFilterList(std::string_view text, std::string_view list) {
    static const std::string kLineBreakMark = "#换行"_gbk;
    std::string normalised = gbk::replaceAll(list, kLineBreakMark, "\r\n");
    normalised = gbk::replaceAll(normalised, "\r\n\r\n", "\r\n");
    normalised = gbk::replaceAll(normalised, "  ", " ");

    std::string result(text);
    for (const std::string& item : gbk::split(normalised, "|")) {
        std::vector<std::string> parts = gbk::split(item, "%&");
        if (parts.size() == 2 && !parts[0].empty()) {
            result = gbk::replaceAll(result, parts[0], parts[1], 1, -1, true);
        }
    }
    return result;
}

} // namespace lanxi
