#include "platform/event_wait_ui.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace lanxi {

void ProcessPendingMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitProcessingMessages(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace lanxi
