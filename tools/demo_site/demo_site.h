#pragma once
// The local demo sites: both novel sites of the default rule files and the maker's pages,
// served on loopback from one port and told apart by the Host header (rdzw.localhost,
// kanshuzhan.localhost, lanxi.localhost). Pages are GBK and shaped as the default rules
// expect; /test/ on any host misbehaves on request. docs/demo_site.md lists the addresses.
#include <memory>
#include <string>

namespace lanxi::demo {

struct DemoOptions {
    std::string announcedVersion = "2.41"; // the version the update-information page names
};

class DemoSite {
public:
    explicit DemoSite(DemoOptions options = {});
    ~DemoSite(); // stops
    DemoSite(const DemoSite&) = delete;
    DemoSite& operator=(const DemoSite&) = delete;

    // Listens on 127.0.0.1:port (0: any free port) and serves on a thread of its own.
    // False when the port cannot be had or the site is already running.
    bool start(int port = 0);
    // The port listened on; 0 when not running.
    int port() const;
    // Stops serving and returns promptly, also while requests are being held open.
    void stop();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace lanxi::demo
