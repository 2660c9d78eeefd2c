#pragma once
// Conversion between GBK (the program's text) and UTF-8 (sources, Qt, JSON, file names).
// Conversion happens only where text leaves or enters the core.
#include <string>
#include <string_view>

namespace lanxi {

// Characters GBK cannot hold become "?"; invalid UTF-8 bytes become "?".
std::string Utf8ToGbk(std::string_view utf8);
// Bytes that are not valid GBK become U+FFFD.
std::string GbkToUtf8(std::string_view gbk);

namespace literals {
// "读取"_gbk: a UTF-8 source literal as GBK bytes.
inline std::string operator""_gbk(const char* s, size_t n) {
    return Utf8ToGbk({s, n});
}
} // namespace literals

} // namespace lanxi
