#pragma once
// One HTTP request, presented to sites as a desktop browser: fixed user agent, Accept,
// Referer and Accept-Language headers, cookies from the shared store. The body comes back
// as raw bytes (pages are GBK); any failure gives an empty body.
#include <atomic>
#include <string>

namespace lanxi {

class CookieStore;

struct HttpRequest {
    std::string url;
    std::string method;       // "GET" or "POST" in any case; empty means GET
    std::string postData;     // sent unchanged
    std::string proxy;        // host:port of an HTTP proxy; blanks are ignored
    std::string extraHeaders; // header lines, each ending in CR LF
    int timeoutSeconds = 0;   // 0: 90 seconds
    std::string user;
    std::string password;
    // nullptr: the program's shared store. A store of one's own must outlive every request
    // that names it, including one a caller stopped waiting for.
    CookieStore* cookies = nullptr;
};

struct HttpResult {
    bool completed = false; // false: failure, time-out or cancellation; body and headers empty
    std::string body;
    std::string headers; // raw header block of the final response, CR LF separated
};

inline constexpr int kDefaultTimeoutSeconds = 90;
// Longer time-outs are cut to a day, which also keeps them countable in milliseconds.
inline constexpr int kMaxTimeoutSeconds = 24 * 60 * 60;
inline constexpr size_t kMaxBodyBytes = 64u * 1024 * 1024;
inline constexpr long kMaxRedirects = 10;
inline constexpr long kConnectTimeoutSeconds = 15;
inline constexpr const char* kUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

int EffectiveTimeoutSeconds(int timeoutSeconds);

// Performs the request on the calling thread. The whole request is bounded by the time-out
// unless `cancel` is given, in which case setting it ends the request (the caller then
// bounds the wait itself).
HttpResult PerformHttpRequest(const HttpRequest& request,
                              const std::atomic<bool>* cancel = nullptr);

// The body of the response, or empty bytes on any failure; headersOut, when given, receives
// the raw header block (empty on failure).
std::string HttpFetch(const HttpRequest& request, std::string* headersOut = nullptr);

// A plain GET of `url` (all defaults), the body taken as GBK text up to its first NUL byte.
std::string FetchPageText(std::string_view url);

// The header block a request carries beyond the client's own lines: extraHeaders completed
// with the default Accept, Referer and Accept-Language lines (each only when absent) and,
// for a POST with data, Content-Type and Content-Length.
struct PreparedHeaders {
    bool accepted = false; // false for a method other than GET and POST
    bool isPost = false;
    std::string block;
    size_t postHeadersAt = 0; // where the type and length composed for a post's data begin
    bool namesType = false;   // the caller's headers name a Content-Type
};
PreparedHeaders PrepareRequestHeaders(const HttpRequest& request);

} // namespace lanxi
