#include "reader/local_text_ui.h"

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/settings.h"
#include "platform/control_text_ui.h"
#include "platform/dialogs_ui.h"
#include "platform/paths.h"
#include "text/gbk_convert.h"
#include "ui_main_window.h"

#include <QFile>
#include <QStandardPaths>

namespace lanxi {

using namespace literals;

void OpenLocalText(MainWindow& window, const QString& path) {
    // A chapter arriving after the file opened would show over its pages and leave the file's
    // saved position holding the chapter's title.
    if (App().chapterReads > 0) {
        return;
    }
    Ui::MainWindow& ui = window.controls();
    ui.加书签->setEnabled(false);
    App().localText = LoadLocalText(std::filesystem::path(QFile::encodeName(path).toStdString()));
    window.setWindowTitle(MainWindow::ReaderCaption(QStringLiteral("本地图书")));
    ShowLocalPage(window, PageDirection::First, false);
}

void OpenLocalTextWithDialog(MainWindow& window) {
    if (App().chapterReads > 0) {
        return;
    }
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const QString path = AppDialogs().openFile(&window, QStringLiteral("打开本地TXT小说"),
                                               QStringLiteral("文本文件（*.txt）|*.txt"), desktop,
                                               QStringLiteral("*.txt"));
    if (!path.isEmpty()) {
        OpenLocalText(window, path);
    }
}

void ShowLocalPage(MainWindow& window, PageDirection direction, bool fromCurrent) {
    Ui::MainWindow& ui = window.controls();
    AppState& app = App();
    app.readerBusy = 1;
    ui.图片显示框->hide();
    SetTag(ui.标签3, "真"_gbk);

    const LocalPage page = ComputeLocalPage(app.localText, direction, fromCurrent,
                                            ReadLocalPosition(SettingsPath()), Tag(ui.读取));
    ui.编辑框2->setPlainText(FromGbkLines(page.text));
    SetTag(ui.读取, std::to_string(page.position));
    ui.编辑框2->moveCursor(QTextCursor::Start);

    app.localPage = page.page;
    app.localPageCount = page.pageCount;
    ui.状态条1->setPartText(
        1, QStringLiteral("书页：  %1  /  %2  页").arg(page.page).arg(page.pageCount));
    ui.状态条1->setPartText(2, QString::number(static_cast<qlonglong>(app.localText.size())));

    ui.上一章->setEnabled(true);
    ui.下一章->setEnabled(true);
    if (page.page <= 1) {
        ui.上一章->setEnabled(false);
    }
    if (page.page >= page.pageCount) {
        ui.下一章->setEnabled(false);
    }
    if (page.page <= 1) {
        ui.下一章->setText(QStringLiteral("下一章\\&→"));
    } else if (page.page >= page.pageCount) {
        ui.上一章->setText(QStringLiteral("上一章/&←"));
    }
    app.readerBusy = 0;
}

} // namespace lanxi
