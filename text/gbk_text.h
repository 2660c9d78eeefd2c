#pragma once
// Byte-oriented GBK text primitives. A text is a std::string of GBK bytes; lengths and
// positions count bytes, positions are 1-based and a failed search gives -1. A byte of
// 0x80 or more starts a two-byte character, and searches only match at character starts,
// so a marker is never found inside a Chinese character. Case folding is ASCII only.
#include <string>
#include <string_view>
#include <vector>

namespace lanxi::gbk {

using Pos = long long;
constexpr Pos kNotFound = -1;

inline bool isLeadByte(unsigned char b) {
    return b >= 0x80;
}

// Whether byte offset `offset` (0-based) starts a character of `t`.
bool isCharacterStart(std::string_view t, size_t offset);

Pos length(std::string_view t);
// Empty s: 1 when the searched region is not empty, else -1.
Pos find(std::string_view t, std::string_view s, Pos from = 1, bool ignoreCase = false);
Pos findLast(std::string_view t, std::string_view s, bool ignoreCase = false);
std::string mid(std::string_view t, Pos start, Pos n);
std::string left(std::string_view t, Pos n);
std::string right(std::string_view t, Pos n);
// count < 0 replaces every occurrence; an empty find text replaces nothing.
std::string replaceAll(std::string_view t, std::string_view findText, std::string_view repl,
                       Pos from = 1, Pos count = -1, bool ignoreCase = false);
std::string removeAt(std::string_view t, Pos start, Pos n);
// Empty pieces at the start or in the middle are kept; the piece after a final
// separator is not produced; an empty text gives no pieces.
std::vector<std::string> split(std::string_view t, std::string_view sep);
inline bool equal(std::string_view a, std::string_view b) {
    return a == b;
}
std::string upper(std::string_view t);
std::string lower(std::string_view t);
std::string toFullWidth(std::string_view t);
// Leading decimal number (blanks, optional sign, digits, fraction); 0 when there is none.
double number(std::string_view t);
// number() truncated toward zero, the form every integer setting is read in.
long long integer(std::string_view t);
// A page or file becomes text at its first NUL byte.
std::string_view untilNul(std::string_view bytes);

} // namespace lanxi::gbk

namespace lanxi {

// Replaces each "|"-separated find text of `list` (ignoring ASCII case) by `replacement`.
std::string ReplaceEach(std::string_view text, std::string_view list, std::string_view replacement);

} // namespace lanxi
