#include "net/http_client.h"

#include "net/cookie_store.h"
#include "net/curl_global.h"
#include "net/url.h"
#include "text/gbk_text.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>

namespace lanxi {
namespace {

constexpr const char* kDefaultAccept =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*\r\n";

struct Transfer {
    std::string body;
    std::string headers;
    bool sawSetCookie = false;
    const std::atomic<bool>* cancel = nullptr;
};

size_t onBody(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    size_t n = size * count;
    if (t->body.size() + n > kMaxBodyBytes) {
        return 0; // aborts the transfer: a body this large is not a page
    }
    t->body.append(data, n);
    return n;
}

size_t onHeader(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    size_t n = size * count;
    std::string_view line(data, n);
    if (line.rfind("HTTP/", 0) == 0) {
        t->headers.clear(); // a redirect or 1xx: keep only the final response's block
    }
    t->headers.append(line);
    if (gbk::find(line, "Set-Cookie:", 1, true) == 1) {
        t->sawSetCookie = true;
    }
    return n;
}

int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* t = static_cast<Transfer*>(user);
    return t->cancel && t->cancel->load() ? 1 : 0;
}

// libcurl wants a well-formed URL: bytes a browser would escape are escaped here.
std::string requestUrl(const HttpRequest& r) {
    std::string raw = std::string(IsHttpsUrl(r.url) ? "https://" : "http://") +
                      UrlHost(r.url, true) + UrlPath(r.url);
    std::string out;
    static const char* hex = "0123456789ABCDEF";
    for (unsigned char c : raw) {
        if (c >= 0x80 || c <= 0x20 || c == 0x7F || c == '"' || c == '<' || c == '>' || c == '\\' ||
            c == '^' || c == '`' || c == '{' || c == '|' || c == '}') {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0xF];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string withoutBlanks(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c != ' ') {
            out += c;
        }
    }
    return out;
}

bool isBlank(std::string_view s) {
    return s.find_first_not_of(" \t") == std::string_view::npos;
}

struct SlistDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};
struct EasyDeleter {
    void operator()(CURL* h) const { curl_easy_cleanup(h); }
};

// The composed block as libcurl's list. A post with data leaves the type and length composed
// for it to libcurl: it sends the same values and, unlike fixed headers, drops them when a
// redirect turns the post into a GET.
std::unique_ptr<curl_slist, SlistDeleter> headerList(const PreparedHeaders& prepared,
                                                     bool hasData) {
    const std::string_view lines =
        hasData ? std::string_view(prepared.block).substr(0, prepared.postHeadersAt)
                : std::string_view(prepared.block);
    curl_slist* list = nullptr;
    for (const std::string& piece : gbk::split(lines, "\n")) {
        std::string line = piece;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            list = curl_slist_append(list, line.c_str());
        }
    }
    if (prepared.isPost && !hasData && !prepared.namesType) {
        // A post without data names no type; libcurl still sends "Content-Length: 0", as HTTP
        // servers require of a post.
        list = curl_slist_append(list, "Content-Type:");
    }
    // No "Expect: 100-continue" round trip for larger posts.
    list = curl_slist_append(list, "Expect:");
    return std::unique_ptr<curl_slist, SlistDeleter>(list);
}

} // namespace

int EffectiveTimeoutSeconds(int timeoutSeconds) {
    return timeoutSeconds > 0 ? std::min(timeoutSeconds, kMaxTimeoutSeconds)
                              : kDefaultTimeoutSeconds;
}

PreparedHeaders PrepareRequestHeaders(const HttpRequest& r) {
    PreparedHeaders p;
    const std::string method = gbk::upper(r.method);
    if (!method.empty() && method != "GET" && method != "POST") {
        return p;
    }
    p.accepted = true;
    p.isPost = method == "POST";
    std::string block = r.extraHeaders;
    auto addIfAbsent = [&block](std::string_view name, const std::string& line) {
        if (gbk::find(block, name, 1, true) == gbk::kNotFound) {
            block += line;
        }
    };
    addIfAbsent("Accept: ", kDefaultAccept);
    // A line break inside an address cut from a page must not start a header of its own.
    std::string referer = r.url;
    std::erase_if(referer, [](char c) { return c == '\r' || c == '\n'; });
    addIfAbsent("Referer: ", "Referer: " + referer + "\r\n");
    addIfAbsent("Accept-Language: ", "Accept-Language: zh-cn\r\n");
    p.namesType = gbk::find(block, "Content-Type: ", 1, true) != gbk::kNotFound;
    p.postHeadersAt = block.size();
    if (p.isPost && !r.postData.empty()) {
        addIfAbsent("Content-Type: ", "Content-Type: application/x-www-form-urlencoded\r\n");
        block += "Content-Length: " + std::to_string(r.postData.size()) + "\r\n";
    }
    p.block = std::move(block);
    return p;
}

HttpResult PerformHttpRequest(const HttpRequest& request, const std::atomic<bool>* cancel) {
    HttpResult result;
    PreparedHeaders prepared = PrepareRequestHeaders(request);
    if (!prepared.accepted) {
        return result;
    }
    EnsureCurlInitialised();
    std::unique_ptr<CURL, EasyDeleter> handle(curl_easy_init());
    if (!handle) {
        return result;
    }
    CURL* h = handle.get();
    Transfer transfer;
    transfer.cancel = cancel;
    const std::string url = requestUrl(request);
    auto headers = headerList(prepared, !request.postData.empty());
    CookieStore& cookies = request.cookies ? *request.cookies : SharedCookieStore();

    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &onBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &onHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &transfer);
    if (cancel) {
        curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &onProgress);
        curl_easy_setopt(h, CURLOPT_XFERINFODATA, &transfer);
    } else {
        curl_easy_setopt(h, CURLOPT_TIMEOUT,
                         static_cast<long>(EffectiveTimeoutSeconds(request.timeoutSeconds)));
    }
    // The proxy serves plain HTTP only; an empty proxy also keeps environment proxies out.
    const std::string proxy = withoutBlanks(request.proxy);
    const bool useProxy = !proxy.empty() && !IsHttpsUrl(request.url);
    const std::string proxyUrl = useProxy ? "http://" + proxy : std::string();
    curl_easy_setopt(h, CURLOPT_PROXY, proxyUrl.c_str());
    if (!isBlank(request.user)) {
        // Offering two schemes makes libcurl wait for the server's challenge, so credentials
        // go out only when asked for, not with every request in the clear.
        curl_easy_setopt(h, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC | CURLAUTH_DIGEST));
        curl_easy_setopt(h, CURLOPT_USERNAME, request.user.c_str());
    }
    if (!isBlank(request.password)) {
        curl_easy_setopt(h, CURLOPT_PASSWORD, request.password.c_str());
    }
    if (prepared.isPost) {
        // A real post (not a custom method), so a 301/302/303 continues as a GET as browsers do.
        curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(request.postData.size()));
        curl_easy_setopt(h, CURLOPT_POSTFIELDS, request.postData.data());
    } else {
        curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    }
    cookies.attach(h);

    const CURLcode code = curl_easy_perform(h);
    handle.reset();
    if (transfer.sawSetCookie) {
        cookies.save();
    }
    if (code != CURLE_OK) {
        return result;
    }
    result.completed = true;
    result.body = std::move(transfer.body);
    result.headers = std::move(transfer.headers);
    return result;
}

std::string HttpFetch(const HttpRequest& request, std::string* headersOut) {
    HttpResult r = PerformHttpRequest(request);
    if (headersOut) {
        *headersOut = std::move(r.headers);
    }
    return std::move(r.body);
}

std::string FetchPageText(std::string_view url) {
    HttpRequest request;
    request.url = std::string(url);
    return std::string(gbk::untilNul(HttpFetch(request)));
}

} // namespace lanxi
