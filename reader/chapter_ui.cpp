#include "reader/chapter_ui.h"

#include "app/activity_log.h"
#include "app/app_state.h"
#include "app/embedded_page.h"
#include "app/main_window.h"
#include "net/http_fetch_ui.h"
#include "net/url.h"
#include "platform/control_text_ui.h"
#include "platform/dialogs_ui.h"
#include "platform/event_wait_ui.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "reader/chapter_page.h"
#include "reader/directory.h"
#include "reader/local_text_ui.h"
#include "rules/extraction.h"
#include "rules/site_rules.h"
#include "text/gbk_convert.h"
#include "text/gbk_text.h"
#include "ui_main_window.h"

namespace lanxi {

using namespace literals;

namespace {

const QString kReadingText = QStringLiteral("正在读取小说数据，请稍后。。。");
const QString kFailureText =
    QStringLiteral("无法读取内容，请确保已连接到网络，如还有问题请到 "
                   "http://lanxi.localhost:8733/bug.html 提交BUG ，我们将尽快解决！");

void showImageChapter(MainWindow& window, const std::string& siteBase) {
    Ui::MainWindow& ui = window.controls();
    AppState& app = App();
    app.chapterContent = AbsoluteImageSources(app.chapterContent, siteBase);
    const std::string page = ImageChapterPage(app.workingBook.title, app.workingBook.chapterTitle,
                                              app.chapterContent, StartPageBytes());
    WriteFileAtomically(CapturePath(), page);
    ProcessPendingMessages();
    ui.图片显示框->showPage(FromGbk(page));
    ui.图片显示框->show();
    ui.图片显示框->setFocus();
    window.AppendLogText(
        FromGbkLines(FormatImageLogDate(LocalTimeNow()) + "\r\n" + app.chapterContent));
}

} // namespace

std::filesystem::path CapturePath() {
    return TempFilePath("caiji.temp");
}

void ReadChapter(MainWindow& window, std::string& address) {
    Ui::MainWindow& ui = window.controls();
    AppState& app = App();
    // Counts the whole read: events run while the page is fetched and while a picture
    // chapter is shown.
    struct ReadInProgress {
        int& reads;
        explicit ReadInProgress(int& r) : reads(r) { ++reads; }
        ~ReadInProgress() { --reads; }
        ReadInProgress(const ReadInProgress&) = delete;
        ReadInProgress& operator=(const ReadInProgress&) = delete;
    } inProgress(app.chapterReads);
    app.readerBusy = 1;
    for (QWidget* w : {static_cast<QWidget*>(ui.书页按钮), static_cast<QWidget*>(ui.超级按钮1),
                       static_cast<QWidget*>(ui.上一章), static_cast<QWidget*>(ui.下一章),
                       static_cast<QWidget*>(ui.读取)}) {
        w->setEnabled(false);
    }
    ui.图片显示框->hide();
    ui.菜单打开->setVisible(false);
    window.SaveLocalPosition();
    if (window.isMinimized()) {
        window.showNormal();
    }
    ui.状态条1->setPartText(1, QString());
    ui.状态条1->setPartText(2, QString());
    ui.编辑框2->setPlainText(kReadingText);

    const ChapterRules rules = ReadChapterRules(app.currentSiteIndex);
    address = CompleteSiteAddress(address, rules.siteBase);
    WaitProcessingMessages(1);
    const std::string page = FetchPageTextWaiting(address);
    WaitProcessingMessages(1);

    const ChapterPage chapter = ParseChapterPage(page, rules, address);
    if (chapter.titleFound) {
        ui.下一章->setEnabled(true);
        ui.上一章->setEnabled(true);
        ui.下一章->setText(QStringLiteral("下一章/&→"));
        ui.上一章->setText(QStringLiteral("上一章/&←"));
        ui.图片显示框->hide();
        app.workingBook.chapterTitle = chapter.chapterTitle;
        app.workingBook.title = chapter.title;
        window.setWindowTitle(MainWindow::ReaderCaption(FromGbk(chapter.title)));
        SetTag(ui.读取, chapter.chapterTitle);
    }
    app.workingBook.bookId = chapter.bookId;
    app.chapterContent = chapter.content;

    if (chapter.ok) {
        ui.标签3->setText(FromGbk(app.workingBook.chapterTitle));
        if (chapter.isImage) {
            showImageChapter(window, rules.siteBase);
        } else {
            ui.编辑框2->setPlainText(FromGbkLines(app.chapterContent));
            ui.编辑框2->setFocus();
        }
        ui.加书签->setEnabled(true);
    } else {
        ui.编辑框2->setPlainText(kFailureText);
    }

    if (chapter.isLast) {
        ui.下一章->setText(QStringLiteral("最后一章"));
        ui.下一章->setEnabled(false);
    } else {
        SetTag(ui.下一章, chapter.nextUrl);
    }
    if (chapter.isFirst) {
        ui.上一章->setText(QStringLiteral("第一章了"));
        ui.上一章->setEnabled(false);
    } else {
        SetTag(ui.上一章, chapter.prevUrl);
    }
    SetTag(ui.加书签, address);
    app.urlBookId = UrlLastSegment(address, 1);
    SetTag(ui.编辑框1, address);
    SetTag(ui.书页按钮, chapter.bookId);
    app.readerBusy = 0;
    ui.书页按钮->setEnabled(true);
    ui.超级按钮1->setEnabled(true);
    ui.读取->setEnabled(true);
}

void ReadAddressBox(MainWindow& window) {
    Ui::MainWindow& ui = window.controls();
    ui.加书签->setEnabled(true);
    std::string address = ToGbk(ui.编辑框1->text());
    ReadChapter(window, address);
}

namespace {
// In local-text mode the chapter buttons turn pages; otherwise they read the address their
// tag holds.
void readNeighbour(MainWindow& window, QWidget* button, PageDirection localDirection) {
    Ui::MainWindow& ui = window.controls();
    if (Tag(ui.标签3) == "真"_gbk) {
        ShowLocalPage(window, localDirection, true);
        return;
    }
    ui.编辑框1->setText(FromGbk(Tag(button)));
    std::string address = ToGbk(ui.编辑框1->text());
    ReadChapter(window, address);
}
} // namespace

void ReadNextChapter(MainWindow& window) {
    readNeighbour(window, window.controls().下一章, PageDirection::Next);
}

void ReadPreviousChapter(MainWindow& window) {
    readNeighbour(window, window.controls().上一章, PageDirection::Previous);
}

void OpenNetworkAddress(MainWindow& window) {
    std::optional<QString> entered =
        AppDialogs().inputBox(&window, QStringLiteral("输入完整的小说书页地址"),
                              QStringLiteral("打开网络小说"), QString());
    if (!entered || entered->isEmpty()) {
        return;
    }
    std::string address = ToGbk(*entered);
    ReadChapter(window, address);
}

void OpenDirectoryChapter(MainWindow& window) {
    Ui::MainWindow& ui = window.controls();
    QTreeWidgetItem* item = ui.树型框1->currentItem();
    if (!item) {
        return;
    }
    const long long number = item->data(0, Qt::UserRole).toLongLong();
    std::string address = ChapterAddressFromTemplate(Tag(ui.树型框1), number);
    ui.编辑框1->setText(FromGbk(address));
    ReadChapter(window, address);
}

} // namespace lanxi
