#include "app/activity_log.h"

#include "text/gbk_convert.h"

#include <cstdio>

namespace lanxi {

using namespace literals;

std::string FormatLogTimestamp(const std::tm& t) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d-%d-%d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1,
                  t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return buf;
}

std::string FormatLogLine(const std::tm& time, std::string_view gbkText) {
    static const std::string kColon = "："_gbk;
    std::string line = FormatLogTimestamp(time);
    line += kColon;
    line += "  ";
    line += gbkText;
    line += "\r\n";
    return line;
}

std::tm LocalTimeNow() {
    std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return t;
}

} // namespace lanxi
