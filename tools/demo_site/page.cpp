#include "tools/demo_site/page.h"

#include "text/gbk_convert.h"

#include <cctype>

namespace lanxi::demo {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

} // namespace

std::string QueryText(const PageRequest& request, std::string_view name) {
    auto it = request.query.find(AsciiLower(name));
    return it == request.query.end() ? std::string() : it->second;
}

long long QueryNumber(const PageRequest& request, std::string_view name, long long fallback) {
    long long n = LeadingNumber(QueryText(request, name));
    return n < 0 ? fallback : n;
}

std::string PercentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else if (c == '+') {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

std::string PercentEncode(std::string_view bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        if (std::isalnum(b) && b < 0x80) {
            out += c;
        } else {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 0x0F];
        }
    }
    return out;
}

std::map<std::string, std::string> ParseQuery(std::string_view query) {
    std::map<std::string, std::string> params;
    while (!query.empty()) {
        size_t amp = query.find('&');
        std::string_view pair = query.substr(0, amp);
        query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
        if (pair.empty()) {
            continue;
        }
        size_t eq = pair.find('=');
        std::string name = AsciiLower(PercentDecode(pair.substr(0, eq)));
        std::string value =
            eq == std::string_view::npos ? std::string() : PercentDecode(pair.substr(eq + 1));
        params.emplace(std::move(name), std::move(value));
    }
    return params;
}

std::string NormalisePath(std::string_view target) {
    std::string_view path = target.substr(0, target.find('?'));
    std::string out;
    for (char c : path) {
        if (c == '/' && !out.empty() && out.back() == '/') {
            continue;
        }
        out += c;
    }
    return AsciiLower(PercentDecode(out));
}

std::string HostName(std::string_view hostHeader) {
    return AsciiLower(hostHeader.substr(0, hostHeader.find(':')));
}

std::vector<std::string> PathParts(std::string_view path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t slash = path.find('/', start);
        size_t end = slash == std::string_view::npos ? path.size() : slash;
        if (end > start) {
            parts.emplace_back(path.substr(start, end - start));
        }
        if (slash == std::string_view::npos) {
            break;
        }
        start = slash + 1;
    }
    return parts;
}

long long LeadingNumber(std::string_view text) {
    long long n = -1;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        if (n > 100'000'000'000LL) {
            return -1; // too long to be any number the sites hand out
        }
        n = (n < 0 ? 0 : n * 10) + (c - '0');
    }
    return n;
}

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

Page GbkHtml(std::string_view utf8Html, int status) {
    return {status, "text/html; charset=gbk", Utf8ToGbk(utf8Html)};
}

Page NotFoundPage() {
    std::string page;
    Line(page, {"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                "charset=gbk\" /><title>404 页面不存在</title></head>"});
    Line(page, {"<body><p>404：您要找的页面不存在。</p></body></html>"});
    return GbkHtml(page, 404);
}

Page GifPicture(std::string bytes) {
    return {200, "image/gif", std::move(bytes)};
}

void Line(std::string& page, std::initializer_list<std::string_view> pieces) {
    for (std::string_view piece : pieces) {
        page += piece;
    }
    page += "\r\n";
}

} // namespace lanxi::demo
