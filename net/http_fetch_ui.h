#pragma once
// The window thread's HttpFetch: the request runs on a worker thread while the window keeps
// processing events. The wait ends when the request ends, or when the time-out passes with
// no user input (each key press, click or mouse move starts the period again); an overrun
// request is cancelled and the caller gets an empty body.
#include "net/http_client.h"

#include <string>

namespace lanxi {

std::string HttpFetchWaiting(const HttpRequest& request, std::string* headersOut = nullptr);

// FetchPageText for the window thread: a plain GET as GBK text up to the first NUL byte.
std::string FetchPageTextWaiting(std::string_view url);

// As above with the time-out in milliseconds, for callers and tests that need short waits.
std::string HttpFetchWaitingMs(const HttpRequest& request, int idleTimeoutMs,
                               std::string* headersOut = nullptr);

} // namespace lanxi
