// Speed of window operations, on Qt's offscreen platform.
#include "app/app_state.h"
#include "app/main_window.h"
#include "reader/directory_ui.h"
#include "support/temp_home.h"
#include "ui_main_window.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <httplib.h>

#include <thread>

namespace {

// A site-1 directory page of `count` chapters, as the default rules expect it.
std::string directoryPage(int count) {
    std::string page = "<html><body><ul><li>+\xB5\xBD\xD1\xC5\xBB\xA2\xCA\xD5\xB2\xD8</a></li>";
    for (int i = 1; i <= count; ++i) {
        page += "<li><a href=\"" + std::to_string(100000 + i) + ".html\">\xB5\xDA" +
                std::to_string(i) + "\xD5\xC2</a></li>\r\n";
    }
    page += "<center><script language=\"javascript\" type=\"text/javascript\" ></script>";
    return page;
}

void BM_DirectoryFill_5000(benchmark::State& state) {
    lanxi::test::TempHome home;
    httplib::Server server;
    const std::string page = directoryPage(5000);
    server.Get("/book/", [&page](const httplib::Request&, httplib::Response& res) {
        res.set_content(page, "text/html; charset=gbk");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread serving([&server] { server.listen_after_bind(); });
    while (!server.is_running()) {
        std::this_thread::yield();
    }

    lanxi::ResetAppState();
    lanxi::App().currentSiteIndex = 1;
    MainWindow window;
    window.show();
    const std::string address = "http://127.0.0.1:" + std::to_string(port) + "/book/";
    for (auto _ : state) {
        lanxi::LoadChapterDirectory(window, address);
        if (window.controls().树型框1->topLevelItemCount() != 5000) {
            state.SkipWithError("the directory did not fill");
            break;
        }
    }
    server.stop();
    serving.join();
}
BENCHMARK(BM_DirectoryFill_5000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
