#include "net/http_fetch_ui.h"

#include "platform/threads.h"
#include "platform/window_thread_ui.h"
#include "text/gbk_text.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

#include <functional>
#include <memory>

namespace lanxi {
namespace {

// Shared by the waiting caller and the worker; whichever finishes last frees it, so a worker
// that outlives a timed-out wait never writes into released memory.
struct FetchState {
    std::atomic<bool> cancel{false};
    std::atomic<bool> done{false};
    HttpResult result;
    std::function<void()> onDone; // touched on the window thread only
};

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
        return true;
    default:
        return false;
    }
}

// Restarts the idle period whenever the user does something.
class InputWatcher : public QObject {
public:
    explicit InputWatcher(QTimer& idle) : idle_(idle) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (isUserInput(event->type())) {
            idle_.start();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QTimer& idle_;
};

} // namespace

std::string HttpFetchWaitingMs(const HttpRequest& request, int idleTimeoutMs,
                               std::string* headersOut) {
    auto state = std::make_shared<FetchState>();
    QEventLoop loop;
    state->onDone = [&loop] { loop.quit(); };

    QTimer idle;
    idle.setSingleShot(true);
    idle.setInterval(idleTimeoutMs);
    QObject::connect(&idle, &QTimer::timeout, &loop, &QEventLoop::quit);
    InputWatcher watcher(idle);
    QCoreApplication* app = QCoreApplication::instance();
    app->installEventFilter(&watcher);

    PrepareWindowThreadPosting();
    const bool started = StartDetachedThread([state, request] {
        state->result = PerformHttpRequest(request, &state->cancel);
        state->done = true;
        PostToWindowThread([state] {
            if (state->onDone) {
                state->onDone();
            }
        });
    });
    if (started) {
        idle.start();
        if (!state->done) {
            loop.exec();
        }
    }
    app->removeEventFilter(&watcher);
    state->onDone = nullptr;

    if (!state->done) {
        state->cancel = true; // the worker ends on its own and frees nothing of ours
        if (headersOut) {
            headersOut->clear();
        }
        return {};
    }
    if (headersOut) {
        *headersOut = state->result.headers;
    }
    return std::move(state->result.body);
}

std::string FetchPageTextWaiting(std::string_view url) {
    HttpRequest request;
    request.url = std::string(url);
    return std::string(gbk::untilNul(HttpFetchWaiting(request)));
}

std::string HttpFetchWaiting(const HttpRequest& request, std::string* headersOut) {
    return HttpFetchWaitingMs(request, EffectiveTimeoutSeconds(request.timeoutSeconds) * 1000,
                              headersOut);
}

} // namespace lanxi
