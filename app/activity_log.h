#pragma once
#include <ctime>
#include <string>
#include <string_view>

namespace lanxi {

// "2010-12-8 09:05:03": month and day without a leading zero, the time always two digits.
std::string FormatLogTimestamp(const std::tm& time);
// One activity-log line in GBK: time stamp, "：", two blanks, the text, CR LF.
std::string FormatLogLine(const std::tm& time, std::string_view gbkText);
// The local time now, for the log.
std::tm LocalTimeNow();

} // namespace lanxi
