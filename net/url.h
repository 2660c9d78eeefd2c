#pragma once
// Pieces of an address as the HTTP client computes them. "http://" and "https://" count as
// schemes; an address without one is taken as host and path.
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

} // namespace lanxi
