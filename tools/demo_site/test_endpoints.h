#pragma once
// Misbehaviour on request, under /test/ on every host: slow, silent, failing, cookie-setting,
// header-heavy, echoing, redirecting and oversized answers for the HTTP client's tests.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string_view>

namespace httplib {
struct Request;
struct Response;
} // namespace httplib

namespace lanxi::demo {

// Set when the server is stopping, so handlers that hold a request open let it go at once.
class StopSignal {
public:
    void raise();
    void reset();
    bool raised() const;
    // Waits up to `timeout`; true when the signal was raised.
    bool waitFor(std::chrono::milliseconds timeout) const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    bool raised_ = false;
};

// Answers a /test/ request; false when the path names no test endpoint.
bool ServeTestEndpoint(std::string_view path, const httplib::Request& request,
                       httplib::Response& response, const StopSignal& stop);

} // namespace lanxi::demo
