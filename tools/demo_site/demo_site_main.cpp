// lanxi-demo-site: serves the local demo sites until SIGINT or SIGTERM.
#include "tools/demo_site/demo_site.h"

#include <charconv>
#include <csignal>
#include <iostream>
#include <string>
#include <string_view>

namespace {

constexpr int kDefaultPort = 8733;

const char* const kUsage = "usage: lanxi-demo-site [--port N] [--announce-version V]\n";

struct Arguments {
    int port = kDefaultPort;
    std::string announcedVersion = lanxi::demo::DemoOptions{}.announcedVersion;
};

bool ParsePort(std::string_view text, int& port) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    return error == std::errc() && end == text.data() + text.size() && port >= 0 && port <= 65535;
}

bool ParseArguments(int argc, char** argv, Arguments& out) {
    for (int i = 1; i < argc; ++i) {
        std::string_view a = argv[i];
        if (i + 1 >= argc) {
            return false;
        }
        std::string_view value = argv[++i];
        if (a == "--port") {
            if (!ParsePort(value, out.port)) {
                return false;
            }
        } else if (a == "--announce-version") {
            out.announcedVersion = value;
        } else {
            return false;
        }
    }
    return true;
}

// Blocks the stop signals in every thread (the server's threads inherit the mask) and
// waits for one of them here.
void WaitForStopSignal(sigset_t& signals) {
    int received = 0;
    sigwait(&signals, &received);
}

} // namespace

int main(int argc, char** argv) {
    Arguments args;
    if (!ParseArguments(argc, argv, args)) {
        std::cerr << kUsage;
        return 2;
    }
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    lanxi::demo::DemoSite site({args.announcedVersion});
    if (!site.start(args.port)) {
        std::cerr << "lanxi-demo-site: cannot listen on 127.0.0.1:" << args.port << "\n";
        return 1;
    }
    std::cout << "lanxi-demo-site listening on http://127.0.0.1:" << site.port()
              << " (hosts rdzw.localhost, kanshuzhan.localhost, lanxi.localhost)" << std::endl;
    WaitForStopSignal(signals);
    site.stop();
    return 0;
}
