#include "net/url.h"

#include "text/gbk_text.h"

namespace lanxi {
namespace {

// The scheme that comes first decides, so "https://a/?u=http://b" stays on host a with TLS.
bool httpsComesFirst(std::string_view url) {
    gbk::Pos http = gbk::find(url, "http://");
    gbk::Pos https = gbk::find(url, "https://");
    return https != gbk::kNotFound && (http == gbk::kNotFound || https < http);
}

// 1-based position of the host's first byte.
gbk::Pos hostStart(std::string_view url) {
    if (httpsComesFirst(url)) {
        return gbk::find(url, "https://") + 8;
    }
    gbk::Pos s = gbk::find(url, "http://");
    return s == gbk::kNotFound ? 1 : s + 7;
}

} // namespace

bool IsHttpsUrl(std::string_view url) {
    return httpsComesFirst(url);
}

std::string UrlHost(std::string_view url, bool keepPort) {
    gbk::Pos start = hostStart(url);
    gbk::Pos slash = gbk::find(url, "/", start);
    gbk::Pos length = slash == gbk::kNotFound ? gbk::length(url) : slash - start;
    std::string host = gbk::mid(url, start, length);
    if (!keepPort) {
        gbk::Pos colon = gbk::find(host, ":");
        if (colon != gbk::kNotFound) {
            host = gbk::left(host, colon - 1);
        }
    }
    return gbk::lower(host);
}

std::string UrlPath(std::string_view url) {
    std::string host = UrlHost(url, false);
    gbk::Pos h = gbk::find(url, host, 1, true);
    gbk::Pos slash = gbk::find(url, "/", h, true);
    if (slash == gbk::kNotFound) {
        return "/";
    }
    return gbk::mid(url, slash, gbk::length(url));
}

int UrlPort(std::string_view url) {
    std::string hostPort = UrlHost(url, true);
    gbk::Pos colon = gbk::find(hostPort, ":");
    if (colon == gbk::kNotFound) {
        return IsHttpsUrl(url) ? 443 : 80;
    }
    return static_cast<int>(gbk::integer(gbk::right(hostPort, gbk::length(hostPort) - colon)));
}

bool HasScheme(std::string_view address) {
    return gbk::find(address, "http://") != gbk::kNotFound ||
           gbk::find(address, "https://") != gbk::kNotFound;
}

std::string CompleteSiteAddress(std::string_view address, std::string_view siteBase) {
    if (HasScheme(address)) {
        return std::string(address);
    }
    return std::string(siteBase) + std::string(address);
}

std::string UrlDirectory(std::string_view url) {
    gbk::Pos pos = gbk::findLast(url, "/");
    if (pos == gbk::kNotFound) {
        return std::string(url);
    }
    return gbk::left(url, pos);
}

std::string UrlLastSegment(std::string_view url, int mode) {
    if (mode == 1) {
        std::string d = UrlDirectory(url);
        std::string d2 = gbk::left(d, gbk::length(d) - 1);
        return ReplaceEach(d2, UrlDirectory(d2), "");
    }
    return ReplaceEach(url, UrlDirectory(url) + "|.html", "");
}

} // namespace lanxi
