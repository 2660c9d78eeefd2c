#include "tools/demo_site/demo_site.h"

#include "tools/demo_site/site_pages.h"
#include "tools/demo_site/test_endpoints.h"

#include <httplib.h>

#include <sys/socket.h>

#include <atomic>
#include <memory>
#include <thread>

namespace lanxi::demo {

namespace {

constexpr size_t kWorkerThreads = 32;   // room for a few held-open requests beside the rest
constexpr time_t kKeepAliveSeconds = 1; // an idle kept-alive connection delays stop() by this

PageRequest ToPageRequest(const httplib::Request& request) {
    PageRequest page;
    page.hostHeader = request.get_header_value("Host");
    page.host = HostName(page.hostHeader);
    page.path = NormalisePath(request.target);
    size_t question = request.target.find('?');
    if (question != std::string::npos) {
        page.query = ParseQuery(std::string_view(request.target).substr(question + 1));
    }
    return page;
}

// Without SO_REUSEPORT (which the library would set), a port in use makes start() fail
// instead of silently sharing it with another server.
void ReuseAddressOnly(int socket) {
    int yes = 1;
    setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}

} // namespace

struct DemoSite::Impl {
    DemoOptions options;
    std::unique_ptr<httplib::Server> server;
    std::thread thread;
    StopSignal stopping;
    int port = 0;

    Page render(const PageRequest& page) const {
        if (page.host == "rdzw.localhost") {
            return RdzwPage(page);
        }
        if (page.host == "kanshuzhan.localhost") {
            return KanshuzhanPage(page);
        }
        if (page.host == "lanxi.localhost") {
            return MakerPage(page, options.announcedVersion);
        }
        return NotFoundPage();
    }

    void handle(const httplib::Request& request, httplib::Response& response) const {
        PageRequest page = ToPageRequest(request);
        if (page.path.rfind("/test/", 0) == 0 &&
            ServeTestEndpoint(page.path, request, response, stopping)) {
            return;
        }
        Page answer = render(page);
        response.status = answer.status;
        response.set_content(answer.body, answer.contentType);
    }

    std::unique_ptr<httplib::Server> makeServer() {
        auto s = std::make_unique<httplib::Server>();
        s->new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
        s->set_socket_options(ReuseAddressOnly);
        s->set_keep_alive_timeout(kKeepAliveSeconds);
        auto handler = [this](const httplib::Request& q, httplib::Response& r) { handle(q, r); };
        s->Get(".*", handler);
        s->Post(".*", handler);
        return s;
    }
};

DemoSite::DemoSite(DemoOptions options) : impl_(std::make_unique<Impl>()) {
    impl_->options = std::move(options);
}

DemoSite::~DemoSite() {
    stop();
}

bool DemoSite::start(int port) {
    if (impl_->server) {
        return false;
    }
    impl_->stopping.reset();
    auto server = impl_->makeServer();
    if (port == 0) {
        port = server->bind_to_any_port("127.0.0.1");
    } else if (!server->bind_to_port("127.0.0.1", port)) {
        port = -1;
    }
    if (port <= 0) {
        return false;
    }
    httplib::Server* s = server.get();
    auto ended = std::make_shared<std::atomic<bool>>(false);
    impl_->thread = std::thread([s, ended] {
        s->listen_after_bind();
        *ended = true;
    });
    // stop() only takes effect once the accept loop runs, so wait for it to start.
    while (!s->is_running() && !*ended) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (*ended) {
        impl_->thread.join();
        return false;
    }
    impl_->server = std::move(server);
    impl_->port = port;
    return true;
}

int DemoSite::port() const {
    return impl_->server ? impl_->port : 0;
}

void DemoSite::stop() {
    if (!impl_->server) {
        return;
    }
    impl_->stopping.raise();
    impl_->server->stop();
    impl_->thread.join();
    impl_->server.reset();
    impl_->port = 0;
}

} // namespace lanxi::demo
