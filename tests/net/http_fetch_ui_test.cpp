#include "net/http_fetch_ui.h"
#include "support/temp_home.h"
#include "tools/demo_site/demo_site.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

using namespace lanxi;

namespace {

class WindowFetch : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(site.start(0)); }
    HttpRequest request(const std::string& path) {
        HttpRequest r;
        r.url = "http://rdzw.localhost:" + std::to_string(site.port()) + path;
        return r;
    }
    test::TempHome home;
    demo::DemoSite site;
};

TEST_F(WindowFetch, ReturnsTheBodyWhileEventsKeepRunning) {
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(20);
    std::string headers;
    EXPECT_EQ(HttpFetchWaiting(request("/test/delay?ms=400"), &headers), "delayed");
    EXPECT_EQ(headers.rfind("HTTP/1.1 200", 0), 0u);
    EXPECT_GE(ticks, 5); // the window thread kept handling its timer during the wait
}

TEST_F(WindowFetch, ASilentServerGivesAnEmptyBodyAfterTheIdleTimeout) {
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(20);
    QElapsedTimer clock;
    clock.start();
    std::string headers = "stale";
    EXPECT_EQ(HttpFetchWaitingMs(request("/test/silent"), 500, &headers), "");
    EXPECT_EQ(headers, "");
    EXPECT_GE(clock.elapsed(), 450);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_GE(ticks, 10);
}

TEST_F(WindowFetch, UserInputRestartsTheIdlePeriod) {
    QWidget target;
    target.resize(100, 100);
    target.show();
    // Move the mouse every 200 ms for 1.2 s; with a 500 ms idle limit the wait must outlast
    // the movements.
    int moves = 0;
    QTimer mover;
    QObject::connect(&mover, &QTimer::timeout, [&] {
        if (++moves > 6) {
            mover.stop();
            return;
        }
        QMouseEvent move(QEvent::MouseMove, QPointF(10 + moves, 10), QPointF(10 + moves, 10),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &move);
    });
    mover.start(200);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(HttpFetchWaitingMs(request("/test/silent"), 500), "");
    EXPECT_GE(clock.elapsed(), 1300);
}

} // namespace
