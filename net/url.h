#pragma once
// Pieces of an address, as the HTTP client and the reading code compute them. "http://" and
// "https://" count as schemes; an address without one is taken as host and path.
#include <string>
#include <string_view>

namespace lanxi {

// Lower-case host, with ":port" only when keepPort is set.
std::string UrlHost(std::string_view url, bool keepPort = false);
// Everything from the first "/" after the host (path and query); "/" when there is none.
std::string UrlPath(std::string_view url);
// The number after the host's colon; 80 without one (443 for an https address).
int UrlPort(std::string_view url);
bool IsHttpsUrl(std::string_view url);

// Whether "http://" or "https://" occurs anywhere in the address (case-sensitive).
bool HasScheme(std::string_view address);
// An address without a scheme is relative to the site: the base address goes in front, by
// plain concatenation (no "/" added or removed).
std::string CompleteSiteAddress(std::string_view address, std::string_view siteBase);

// `url` up to and including its last "/"; the whole url when it holds none.
std::string UrlDirectory(std::string_view url);
// Mode 1: the name of the URL's last directory. Other modes: the file name without ".html".
std::string UrlLastSegment(std::string_view url, int mode);

} // namespace lanxi
