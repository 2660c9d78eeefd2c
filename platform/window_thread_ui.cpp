#include "platform/window_thread_ui.h"

#include <QCoreApplication>
#include <QObject>

#include <mutex>

namespace lanxi {
namespace {

std::mutex g_mutex;
QObject* g_receiver = nullptr; // lives as long as the application, guarded by g_mutex

} // namespace

void PrepareWindowThreadPosting() {
    std::lock_guard lock(g_mutex);
    QCoreApplication* app = QCoreApplication::instance();
    if (g_receiver || !app) {
        return;
    }
    g_receiver = new QObject(app);
    QObject::connect(g_receiver, &QObject::destroyed, [] {
        std::lock_guard inner(g_mutex);
        g_receiver = nullptr;
    });
}

void PostToWindowThread(std::function<void()> task) {
    std::lock_guard lock(g_mutex);
    if (g_receiver) {
        QMetaObject::invokeMethod(g_receiver, std::move(task), Qt::QueuedConnection);
    }
}

} // namespace lanxi
