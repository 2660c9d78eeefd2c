#pragma once
#include <QHash>
#include <QImage>
#include <QSet>
#include <QTextBrowser>
#include <QUrl>

// The embedded HTML view. Pictures are fetched through the program's own HTTP client on
// worker threads, so a page with pictures never freezes the window; the box reports how
// many of them have arrived as a percentage.
class HtmlBox : public QTextBrowser {
    Q_OBJECT
public:
    explicit HtmlBox(QWidget* parent = nullptr);

    // Shows an HTML page and starts fetching its pictures.
    void showPage(const QString& html);
    // Pictures of the current page still being fetched.
    int pendingPictures() const { return static_cast<int>(pending_.size()); }

signals:
    // progress × 100 / maximum rounded, or 100 when there is nothing to load.
    void progress(int percent);

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    void pictureArrived(unsigned generation, const QUrl& url, const QByteArray& bytes);
    void reportProgress();

    QString html_;
    unsigned generation_ = 0;
    QHash<QUrl, QImage> pictures_;
    QSet<QUrl> pending_;
    int requested_ = 0;
    int arrived_ = 0;
};
