#pragma once
#include <QHash>
#include <QImage>
#include <QList>
#include <QSet>
#include <QTextBrowser>
#include <QUrl>

// The embedded HTML view. Only web pictures are loaded (never local files, whatever a page
// names), through the program's own HTTP client on a few worker threads, so a page with
// pictures never freezes the window; the box reports how many have arrived as a percentage.
class HtmlBox : public QTextBrowser {
    Q_OBJECT
public:
    explicit HtmlBox(QWidget* parent = nullptr);

    // Shows an HTML page and starts fetching its pictures.
    void showPage(const QString& html);

    static constexpr int kMaxPicturesPerPage = 200;
    static constexpr int kParallelFetches = 4;

signals:
    // arrived × 100 / requested, rounded; 100 when there is nothing to load.
    void progress(int percent);

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    void startFetches();
    void pictureArrived(unsigned generation, const QUrl& url, const QByteArray& bytes);
    void recordPicture(const QUrl& url, const QByteArray& bytes);
    void reportProgress();

    QString html_;
    unsigned generation_ = 0;
    QHash<QUrl, QImage> pictures_;
    QSet<QUrl> requested_;
    QList<QUrl> waiting_; // requested, not started yet
    int running_ = 0;
    int arrived_ = 0;
};
