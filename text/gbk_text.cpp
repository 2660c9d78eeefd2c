#include "text/gbk_text.h"

#include <charconv>
#include <cstring>

namespace lanxi::gbk {
namespace {

unsigned char byteAt(std::string_view t, size_t i) {
    return static_cast<unsigned char>(t[i]);
}

char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool hasAsciiLetter(std::string_view s) {
    for (size_t i = 0; i < s.size(); ++i) {
        if (isLeadByte(byteAt(s, i))) {
            ++i;
        } else if (foldAscii(s[i]) >= 'a' && foldAscii(s[i]) <= 'z') {
            return true;
        }
    }
    return false;
}

template <typename Convert> std::string mapSingleByteChars(std::string_view t, Convert convert) {
    std::string out(t);
    for (size_t i = 0; i < out.size(); ++i) {
        if (isLeadByte(static_cast<unsigned char>(out[i]))) {
            ++i;
        } else {
            out[i] = convert(out[i]);
        }
    }
    return out;
}

std::string foldSingleByteChars(std::string_view t) {
    // A lambda, not the function pointer, so the conversion is inlined into the loop.
    return mapSingleByteChars(t, [](char c) { return foldAscii(c); });
}

size_t charWidth(std::string_view t, size_t i) {
    return isLeadByte(byteAt(t, i)) ? 2 : 1;
}

// 0-based offset of the first exact match at a character start, scanning from the
// character start `start`; npos when there is none. s must not be empty.
size_t findExact(std::string_view t, std::string_view s, size_t start) {
    // Let the library find candidates fast, then keep only those at character starts.
    size_t boundary = start;
    size_t from = start;
    while (true) {
        size_t hit = t.find(s, from);
        if (hit == std::string_view::npos) {
            return hit;
        }
        while (boundary < hit) {
            boundary += charWidth(t, boundary);
        }
        if (boundary == hit) {
            return hit;
        }
        from = boundary;
    }
}

// Searches t from the character start `start` onwards, exactly or ignoring ASCII case.
// Folding keeps every byte offset, so offsets in the folded copy are offsets in t.
class Searcher {
public:
    Searcher(std::string_view t, std::string_view s, size_t start, bool ignoreCase)
        : start_(start) {
        if (ignoreCase && hasAsciiLetter(s)) {
            foldedText_ = foldSingleByteChars(t.substr(start));
            foldedNeedle_ = foldSingleByteChars(s);
            text_ = foldedText_;
            needle_ = foldedNeedle_;
        } else {
            text_ = t.substr(start);
            needle_ = s;
        }
    }
    // The views may point into this object's own strings.
    Searcher(const Searcher&) = delete;
    Searcher& operator=(const Searcher&) = delete;

    // The next match at or after `from` (an offset in t), or npos.
    size_t next(size_t from) const {
        size_t hit = findExact(text_, needle_, from - start_);
        return hit == std::string_view::npos ? hit : hit + start_;
    }

private:
    size_t start_;
    std::string foldedText_;
    std::string foldedNeedle_;
    std::string_view text_;
    std::string_view needle_;
};

size_t findFrom(std::string_view t, std::string_view s, size_t start, bool ignoreCase) {
    return Searcher(t, s, start, ignoreCase).next(start);
}

} // namespace

bool isCharacterStart(std::string_view t, size_t offset) {
    if (offset == 0 || offset >= t.size()) {
        return true;
    }
    // A byte below 0x80 always ends a character, and from there on every byte of 0x80 or more
    // begins a pair, so only the bytes back to the nearest low byte need looking at.
    size_t high = 0;
    while (high < offset && static_cast<unsigned char>(t[offset - 1 - high]) >= 0x80) {
        ++high;
    }
    return high % 2 == 0;
}

Pos length(std::string_view t) {
    return static_cast<Pos>(t.size());
}

Pos find(std::string_view t, std::string_view s, Pos from, bool ignoreCase) {
    if (from < 1) {
        from = 1;
    }
    if (from > length(t)) {
        return kNotFound;
    }
    if (s.empty()) {
        return 1;
    }
    size_t hit = findFrom(t, s, static_cast<size_t>(from - 1), ignoreCase);
    return hit == std::string_view::npos ? kNotFound : static_cast<Pos>(hit) + 1;
}

Pos findLast(std::string_view t, std::string_view s, bool ignoreCase) {
    if (s.empty()) {
        return t.empty() ? kNotFound : 1;
    }
    Pos last = kNotFound;
    size_t start = 0;
    while (start < t.size()) {
        size_t hit = findFrom(t, s, start, ignoreCase);
        if (hit == std::string_view::npos) {
            break;
        }
        last = static_cast<Pos>(hit) + 1;
        start = hit + charWidth(t, hit);
    }
    return last;
}

std::string mid(std::string_view t, Pos start, Pos n) {
    if (start < 1 || start > length(t) || n <= 0) {
        return {};
    }
    return std::string(t.substr(static_cast<size_t>(start - 1), static_cast<size_t>(n)));
}

std::string left(std::string_view t, Pos n) {
    if (n <= 0) {
        return {};
    }
    return std::string(t.substr(0, static_cast<size_t>(n)));
}

std::string right(std::string_view t, Pos n) {
    if (n <= 0) {
        return {};
    }
    if (n >= length(t)) {
        return std::string(t);
    }
    return std::string(t.substr(t.size() - static_cast<size_t>(n)));
}

std::string replaceAll(std::string_view t, std::string_view findText, std::string_view repl,
                       Pos from, Pos count, bool ignoreCase) {
    if (findText.empty() || count == 0) {
        return std::string(t);
    }
    size_t pos = from < 1 ? 0 : static_cast<size_t>(from - 1);
    if (pos >= t.size()) {
        return std::string(t);
    }
    std::string out;
    out.reserve(t.size());
    out.append(t.substr(0, pos));
    const Searcher searcher(t, findText, pos, ignoreCase);
    Pos done = 0;
    while (count < 0 || done < count) {
        size_t hit = searcher.next(pos);
        if (hit == std::string_view::npos) {
            break;
        }
        out.append(t.substr(pos, hit - pos));
        out.append(repl);
        pos = hit + findText.size();
        ++done;
    }
    out.append(t.substr(pos));
    return out;
}

std::string removeAt(std::string_view t, Pos start, Pos n) {
    std::string out(t);
    if (start < 1 || start > length(t) || n <= 0) {
        return out;
    }
    out.erase(static_cast<size_t>(start - 1), static_cast<size_t>(n));
    return out;
}

std::vector<std::string> split(std::string_view t, std::string_view sep) {
    std::vector<std::string> pieces;
    if (t.empty()) {
        return pieces;
    }
    if (sep.empty()) {
        pieces.emplace_back(t);
        return pieces;
    }
    size_t pos = 0;
    while (pos < t.size()) {
        size_t hit = findExact(t, sep, pos);
        if (hit == std::string_view::npos) {
            pieces.emplace_back(t.substr(pos));
            break;
        }
        pieces.emplace_back(t.substr(pos, hit - pos));
        pos = hit + sep.size();
    }
    return pieces;
}

std::string upper(std::string_view t) {
    return mapSingleByteChars(
        t, [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; });
}

std::string lower(std::string_view t) {
    return foldSingleByteChars(t);
}

std::string toFullWidth(std::string_view t) {
    // Converted through a small buffer into reserved space: no pass that zero-fills twice
    // the text's size first, which costs more than the conversion on a large file.
    std::string out;
    out.reserve(t.size() * 2);
    char buf[8192];
    size_t w = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        if (w > sizeof buf - 2) {
            out.append(buf, w);
            w = 0;
        }
        unsigned char b = byteAt(t, i);
        if (isLeadByte(b)) {
            buf[w++] = t[i];
            if (i + 1 < t.size()) {
                buf[w++] = t[++i];
            }
        } else if (b >= 0x21 && b <= 0x7D) {
            buf[w++] = static_cast<char>(0xA3);
            buf[w++] = static_cast<char>(b + 0x80);
        } else if (b == ' ') {
            buf[w++] = static_cast<char>(0xA1);
            buf[w++] = static_cast<char>(0xA1);
        } else if (b == '~') {
            buf[w++] = static_cast<char>(0xA1);
            buf[w++] = static_cast<char>(0xAB);
        } else {
            buf[w++] = t[i];
        }
    }
    out.append(buf, w);
    return out;
}

double number(std::string_view t) {
    size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t' || t[i] == '\r' || t[i] == '\n')) {
        ++i;
    }
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negative = t[i] == '-';
        ++i;
    }
    size_t begin = i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
        ++i;
    }
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
            ++i;
        }
    }
    double value = 0;
    auto [ptr, ec] =
        std::from_chars(t.data() + begin, t.data() + i, value, std::chars_format::fixed);
    (void)ptr;
    if (ec != std::errc()) {
        return 0;
    }
    return negative ? -value : value;
}

long long integer(std::string_view t) {
    double v = number(t);
    constexpr double kLimit = 9.2e18;
    if (v > kLimit) {
        return static_cast<long long>(kLimit);
    }
    if (v < -kLimit) {
        return static_cast<long long>(-kLimit);
    }
    return static_cast<long long>(v);
}

std::string_view untilNul(std::string_view bytes) {
    const void* nul = std::memchr(bytes.data(), 0, bytes.size());
    return nul ? bytes.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - bytes.data()))
               : bytes;
}

} // namespace lanxi::gbk

namespace lanxi {

std::string ReplaceEach(std::string_view text, std::string_view list,
                        std::string_view replacement) {
    std::string result(text);
    for (const std::string& piece : gbk::split(list, "|")) {
        result = gbk::replaceAll(result, piece, replacement, 1, -1, true);
    }
    return result;
}

} // namespace lanxi
