#include "ui/html_box.h"

#include "net/http_client.h"
#include "platform/threads.h"
#include "platform/window_thread_ui.h"

#include <QPointer>
#include <QScrollBar>

#include <cmath>

HtmlBox::HtmlBox(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
}

void HtmlBox::showPage(const QString& html) {
    ++generation_;
    pictures_.clear();
    requested_.clear();
    waiting_.clear();
    running_ = 0;
    arrived_ = 0;
    html_ = html;
    setHtml(html);
    reportProgress();
}

QVariant HtmlBox::loadResource(int type, const QUrl& name) {
    // An empty value of the right kind, never a null one: on a null value the document
    // would open local files by itself.
    const QString scheme = name.scheme().toLower();
    if (type != QTextDocument::ImageResource) {
        return QVariant(QByteArray());
    }
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) {
        return QVariant(QImage());
    }
    if (auto it = pictures_.find(name); it != pictures_.end()) {
        return it.value();
    }
    if (!requested_.contains(name) && requested_.size() < kMaxPicturesPerPage) {
        requested_.insert(name);
        waiting_.append(name);
        startFetches();
        reportProgress();
    }
    // Null while the picture is on its way, so the document asks again once it is here
    // (an http address is never opened as a local file).
    return QVariant();
}

void HtmlBox::startFetches() {
    lanxi::PrepareWindowThreadPosting();
    while (running_ < kParallelFetches && !waiting_.isEmpty()) {
        const QUrl url = waiting_.takeFirst();
        lanxi::HttpRequest request;
        request.url = url.toString(QUrl::FullyEncoded).toStdString();
        QPointer<HtmlBox> self(this);
        const unsigned generation = generation_;
        const bool started = lanxi::StartDetachedThread([request, self, generation, url] {
            std::string body = lanxi::HttpFetch(request);
            QByteArray bytes(body.data(), static_cast<qsizetype>(body.size()));
            lanxi::PostToWindowThread([self, generation, url, bytes] {
                if (self) {
                    self->pictureArrived(generation, url, bytes);
                }
            });
        });
        if (started) {
            ++running_;
        } else {
            recordPicture(url, QByteArray()); // no thread to be had: shown as missing
        }
    }
}

void HtmlBox::pictureArrived(unsigned generation, const QUrl& url, const QByteArray& bytes) {
    if (generation != generation_ || pictures_.contains(url)) {
        return; // a picture of a page no longer shown
    }
    --running_;
    recordPicture(url, bytes);
    startFetches();
}

void HtmlBox::recordPicture(const QUrl& url, const QByteArray& bytes) {
    ++arrived_;
    pictures_.insert(url, QImage::fromData(bytes));
    if (arrived_ == requested_.size()) {
        // Lay the page out again now that every picture is known.
        const int scroll = verticalScrollBar()->value();
        setHtml(html_);
        verticalScrollBar()->setValue(scroll);
    }
    reportProgress();
}

void HtmlBox::reportProgress() {
    const qsizetype requested = requested_.size();
    const int percent =
        requested == 0 ? 100 : static_cast<int>(std::lround(arrived_ * 100.0 / requested));
    emit progress(percent);
}
