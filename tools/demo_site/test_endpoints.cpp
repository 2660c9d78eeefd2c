#include "tools/demo_site/test_endpoints.h"

#include "tools/demo_site/page.h"

#include <httplib.h>

#include <poll.h>
#include <sys/socket.h>

#include <arpa/inet.h>
#include <netinet/in.h>

#include <filesystem>
#include <memory>
#include <string>

namespace lanxi::demo {

void StopSignal::raise() {
    {
        std::lock_guard lock(mutex_);
        raised_ = true;
    }
    changed_.notify_all();
}

void StopSignal::reset() {
    std::lock_guard lock(mutex_);
    raised_ = false;
}

bool StopSignal::raised() const {
    std::lock_guard lock(mutex_);
    return raised_;
}

bool StopSignal::waitFor(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] { return raised_; });
}

namespace {

constexpr auto kLongestHold = std::chrono::minutes(10); // bounds a forgotten silent request
constexpr long long kMaxDelayMs = 600'000;
constexpr long long kMaxOversizedMb = 4096;
constexpr long long kMaxPageKb = 65536;
constexpr size_t kMiB = 1024 * 1024;

int PortOf(const sockaddr_storage& address) {
    if (address.ss_family == AF_INET) {
        return ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
    }
    if (address.ss_family == AF_INET6) {
        return ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port);
    }
    return -1;
}

bool IsConnectionOf(int fd, const httplib::Request& request) {
    sockaddr_storage local{};
    socklen_t length = sizeof local;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0 ||
        PortOf(local) != request.local_port) {
        return false;
    }
    sockaddr_storage peer{};
    length = sizeof peer;
    return getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &length) == 0 &&
           PortOf(peer) == request.remote_port;
}

// The socket of the request's connection. The HTTP library does not hand it to handlers, so
// it is found among the process's descriptors by its two port numbers (unique while the
// connection is open); -1 when not found.
int ConnectionSocket(const httplib::Request& request) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", ec)) {
        long long fd = LeadingNumber(entry.path().filename().string());
        if (fd >= 0 && IsConnectionOf(static_cast<int>(fd), request)) {
            return static_cast<int>(fd);
        }
    }
    return -1;
}

bool PeerHasClosed(int fd) {
    pollfd p{fd, static_cast<short>(POLLIN | POLLRDHUP), 0};
    if (poll(&p, 1, 0) <= 0) {
        return false;
    }
    if (p.revents & (POLLRDHUP | POLLHUP | POLLERR | POLLNVAL)) {
        return true;
    }
    char byte;
    return recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT) == 0;
}

// Holds the request without a byte of answer until the client gives up or the server stops.
// Then the connection is shut, so whatever the library writes afterwards goes nowhere.
void HoldSilently(const httplib::Request& request, const StopSignal& stop) {
    int fd = ConnectionSocket(request);
    auto deadline = std::chrono::steady_clock::now() + kLongestHold;
    while (std::chrono::steady_clock::now() < deadline) {
        if (stop.waitFor(std::chrono::milliseconds(50)) || (fd >= 0 && PeerHasClosed(fd))) {
            break;
        }
    }
    if (fd >= 0) {
        shutdown(fd, SHUT_RDWR);
    }
}

void Delay(const httplib::Request& request, httplib::Response& response, const StopSignal& stop) {
    long long ms =
        std::min(std::max(0LL, LeadingNumber(request.get_param_value("ms"))), kMaxDelayMs);
    stop.waitFor(std::chrono::milliseconds(ms));
    response.set_content("delayed", "text/plain");
}

void Cookies(httplib::Response& response) {
    response.set_header("Set-Cookie", "alpha=1; path=/");
    response.set_header("Set-Cookie", "beta=2; path=/");
    response.set_content("cookies set", "text/plain");
}

// A header block far beyond the 1024 bytes the reader's header buffer holds.
void BigHeaders(httplib::Response& response) {
    response.set_header("Set-Cookie", "gamma=3; path=/");
    const std::string filler(96, 'x');
    for (int i = 0; i < 32; ++i) {
        response.set_header("X-Filler-" + std::to_string(i), filler);
    }
    response.set_content("big headers", "text/plain");
}

// The library adds the connection's addresses to the request headers; they were not sent.
bool IsAddedHeader(const std::string& name) {
    return name == "REMOTE_ADDR" || name == "REMOTE_PORT" || name == "LOCAL_ADDR" ||
           name == "LOCAL_PORT";
}

void Echo(const httplib::Request& request, httplib::Response& response) {
    std::string text = request.method + " " + request.target + "\r\n";
    for (const auto& [name, value] : request.headers) {
        if (!IsAddedHeader(name)) {
            text += name + ": " + value + "\r\n";
        }
    }
    text += "\r\n";
    text += request.body;
    response.set_content(text, "text/plain");
}

void Redirect(const httplib::Request& request, httplib::Response& response) {
    long long n = LeadingNumber(request.get_param_value("n"));
    const std::string to = request.get_param_value("to");
    if (n <= 0) {
        response.set_content("redirect done", "text/plain");
        return;
    }
    if (n == 1 && to.rfind('/', 0) == 0) {
        response.set_redirect(to);
        return;
    }
    std::string next = "/test/redirect?n=" + std::to_string(n - 1);
    if (!to.empty()) {
        next += "&to=" + httplib::detail::encode_query_param(to);
    }
    response.set_redirect(next);
}

// Asks for Basic credentials and, once given, answers with the header that carried them.
void Authenticate(const httplib::Request& request, httplib::Response& response) {
    if (!request.has_header("Authorization")) {
        response.status = 401;
        response.set_header("WWW-Authenticate", "Basic realm=\"demo\"");
        response.set_content("credentials needed", "text/plain");
        return;
    }
    response.set_content("Authorization: " + request.get_header_value("Authorization"),
                         "text/plain");
}

// Streams the body without a Content-Length: the end is only known when the connection ends.
void Oversized(const httplib::Request& request, httplib::Response& response,
               const StopSignal& stop) {
    long long mb =
        std::min(std::max(0LL, LeadingNumber(request.get_param_value("mb"))), kMaxOversizedMb);
    auto remaining = std::make_shared<size_t>(static_cast<size_t>(mb) * kMiB);
    auto block = std::make_shared<std::string>(64 * 1024, 'z');
    response.set_header("Connection", "close");
    response.set_content_provider("application/octet-stream",
                                  [remaining, block, &stop](size_t, httplib::DataSink& sink) {
                                      if (stop.raised()) {
                                          return false;
                                      }
                                      if (*remaining == 0) {
                                          sink.done();
                                          return true;
                                      }
                                      size_t n = std::min(*remaining, block->size());
                                      *remaining -= n;
                                      return sink.write(block->data(), n);
                                  });
}

// A GBK page of exactly `kb` KiB, for the fetch benchmark.
void SizedPage(const httplib::Request& request, httplib::Response& response) {
    long long kb =
        std::min(std::max(1LL, LeadingNumber(request.get_param_value("kb"))), kMaxPageKb);
    size_t size = static_cast<size_t>(kb) * 1024;
    Page head = GbkHtml("<html><head><title>测试页面</title></head><body><p>");
    Page line = GbkHtml("少年在石桥静静地望着远处的灯火，心中一片安宁。<br />\r\n");
    Page tail = GbkHtml("</p></body></html>\r\n");
    std::string body = head.body;
    while (body.size() + line.body.size() + tail.body.size() <= size) {
        body += line.body;
    }
    body.append(size - tail.body.size() - body.size(), ' ');
    body += tail.body;
    response.set_content(body, head.contentType);
}

} // namespace

bool ServeTestEndpoint(std::string_view path, const httplib::Request& request,
                       httplib::Response& response, const StopSignal& stop) {
    if (path == "/test/delay") {
        Delay(request, response, stop);
    } else if (path == "/test/silent") {
        HoldSilently(request, stop);
    } else if (path == "/test/status500") {
        response.status = 500;
        response.set_content("server error page", "text/plain");
    } else if (path == "/test/cookies") {
        Cookies(response);
    } else if (path == "/test/big-headers") {
        BigHeaders(response);
    } else if (path == "/test/echo") {
        Echo(request, response);
    } else if (path == "/test/redirect") {
        Redirect(request, response);
    } else if (path == "/test/auth") {
        Authenticate(request, response);
    } else if (path == "/test/oversized") {
        Oversized(request, response, stop);
    } else if (path == "/test/page") {
        SizedPage(request, response);
    } else {
        return false;
    }
    return true;
}

} // namespace lanxi::demo
