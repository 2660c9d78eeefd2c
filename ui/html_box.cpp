#include "ui/html_box.h"

#include "net/http_client.h"

#include <QCoreApplication>
#include <QPointer>
#include <QScrollBar>

#include <cmath>
#include <thread>

HtmlBox::HtmlBox(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
}

void HtmlBox::showPage(const QString& html) {
    ++generation_;
    pictures_.clear();
    pending_.clear();
    requested_ = 0;
    arrived_ = 0;
    html_ = html;
    setHtml(html);
    reportProgress();
}

QVariant HtmlBox::loadResource(int type, const QUrl& name) {
    if (type != QTextDocument::ImageResource) {
        return QTextBrowser::loadResource(type, name);
    }
    if (auto it = pictures_.find(name); it != pictures_.end()) {
        return it.value();
    }
    const QString scheme = name.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) {
        return QTextBrowser::loadResource(type, name);
    }
    if (!pending_.contains(name)) {
        pending_.insert(name);
        ++requested_;
        lanxi::HttpRequest request;
        request.url = name.toString(QUrl::FullyEncoded).toStdString();
        QPointer<HtmlBox> self(this);
        const unsigned generation = generation_;
        std::thread([request, self, generation, name] {
            std::string body = lanxi::HttpFetch(request);
            QByteArray bytes(body.data(), static_cast<qsizetype>(body.size()));
            if (QCoreApplication* app = QCoreApplication::instance()) {
                QMetaObject::invokeMethod(
                    app,
                    [self, generation, name, bytes] {
                        if (self) {
                            self->pictureArrived(generation, name, bytes);
                        }
                    },
                    Qt::QueuedConnection);
            }
        }).detach();
    }
    return QVariant(); // shown once the picture arrives
}

void HtmlBox::pictureArrived(unsigned generation, const QUrl& url, const QByteArray& bytes) {
    if (generation != generation_ || !pending_.remove(url)) {
        return; // a picture of a page no longer shown
    }
    ++arrived_;
    pictures_.insert(url, QImage::fromData(bytes));
    if (pending_.isEmpty()) {
        // Lay the page out again now that every picture is known.
        const int scroll = verticalScrollBar()->value();
        setHtml(html_);
        verticalScrollBar()->setValue(scroll);
    }
    reportProgress();
}

void HtmlBox::reportProgress() {
    const int percent =
        requested_ == 0 ? 100 : static_cast<int>(std::lround(arrived_ * 100.0 / requested_));
    emit progress(percent);
}
