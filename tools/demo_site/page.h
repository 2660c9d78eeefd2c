#pragma once
// What the demo sites' page builders take and give: a request reduced to host, path and
// query, and an answer of status, content type and body bytes. No HTTP library in sight, so
// the page shapes stay plain functions.
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace lanxi::demo {

struct PageRequest {
    std::string host;       // lower case, without port: "rdzw.localhost"
    std::string hostHeader; // as sent, port included; pages build absolute links from it
    std::string path;       // lower case, runs of "/" collapsed, without query
    std::map<std::string, std::string> query; // lower-case names, %XX decoded to raw bytes
};

struct Page {
    int status = 200;
    std::string contentType;
    std::string body;
};

// Text of a query parameter, empty when absent.
std::string QueryText(const PageRequest& request, std::string_view name);
// Leading decimal digits of a query parameter; `fallback` when it has none.
long long QueryNumber(const PageRequest& request, std::string_view name, long long fallback);

// Decodes %XX into bytes and "+" into a blank; other bytes pass unchanged.
std::string PercentDecode(std::string_view text);
// Percent-encodes every byte except ASCII letters and digits, as the reader encodes keywords.
std::string PercentEncode(std::string_view bytes);
// Splits "a=1&b=2" into lower-case names and decoded values; the first of a repeated name wins.
std::map<std::string, std::string> ParseQuery(std::string_view query);
// Lower case, "/" runs collapsed (the default site's base address ends in "/", so the reader
// asks for "//Book/..."), query cut off.
std::string NormalisePath(std::string_view target);
// "RDZW.localhost:8733" -> "rdzw.localhost".
std::string HostName(std::string_view hostHeader);
// The path's parts between slashes, empty parts dropped.
std::vector<std::string> PathParts(std::string_view path);

// Leading decimal number of `text`, or -1 when it does not start with a digit.
long long LeadingNumber(std::string_view text);
bool EndsWith(std::string_view text, std::string_view tail);

// An HTML page written in UTF-8 and served as GBK, the only encoding the sites speak.
// The opening of every page: the GBK declaration a browser needs.
inline constexpr std::string_view kHead = "<html><head><meta http-equiv=\"Content-Type\" "
                                          "content=\"text/html; charset=gbk\" />";

Page GbkHtml(std::string_view utf8Html, int status = 200);
Page NotFoundPage();
Page GifPicture(std::string bytes);

// Appends the pieces and a CR LF: pages keep the line ends of the sites they stand in for.
void Line(std::string& page, std::initializer_list<std::string_view> pieces);

} // namespace lanxi::demo
