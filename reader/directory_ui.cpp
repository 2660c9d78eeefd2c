#include "reader/directory_ui.h"

#include "app/app_state.h"
#include "app/main_window.h"
#include "net/http_fetch_ui.h"
#include "platform/control_text_ui.h"
#include "platform/event_wait_ui.h"
#include "reader/directory.h"
#include "reader/directory_panel_ui.h"
#include "rules/site_rules.h"
#include "text/gbk_text.h"
#include "ui_main_window.h"

namespace lanxi {
namespace {

QTreeWidgetItem* newItem(const QString& text, int number) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, text);
    item->setData(0, Qt::UserRole, number);
    return item;
}

void addItem(Ui::MainWindow& ui, const QString& text, int number) {
    ui.树型框1->addTopLevelItem(newItem(text, number));
}

// One load; `fallback` marks the reload of the last good directory, which does not fall
// back again, so a last directory that stopped loading cannot repeat without end.
void loadDirectory(MainWindow& window, const std::string& address, bool fallback) {
    Ui::MainWindow& ui = window.controls();
    AppState& app = App();
    ui.标签4->setText(QStringLiteral("正在读取..."));
    ui.标签4->show();
    if (app.directoryCollapsed) {
        ExpandDirectoryPanel(ui);
    }
    ui.树型框1->clear();
    if (window.isMinimized()) {
        window.showNormal();
    }
    if (address.empty()) {
        addItem(ui, QStringLiteral("读取出错,地址为空！"), 0);
        ui.标签4->hide();
        return;
    }
    // Site, rules and address are taken before events run: a handler in between may read
    // another site's rules or open a chapter of another site.
    const int site = app.currentSiteIndex;
    const DirectoryRules rules = ReadDirectoryRules(site);
    const std::string pageAddress = DirectoryPageAddress(address, site, rules.siteBase);
    ProcessPendingMessages();
    const std::string page = FetchPageTextWaiting(pageAddress);
    ProcessPendingMessages();
    const DirectoryListing listing = ParseDirectoryPage(page, rules, pageAddress, site);

    if (listing.entries.empty()) {
        addItem(ui, QStringLiteral("读取出错！"), 0);
        // No second fetch once shut-down has asked loads to stop.
        if (!fallback && app.directoryLoadStop == 0) {
            loadDirectory(window, LastDirectoryBase(window), true);
            return;
        }
        ui.标签4->hide();
        return;
    }

    SetTag(ui.树型框1, listing.chapterTemplate);
    app.workingBook.bookId = listing.bookId;
    const size_t n = listing.entries.size();
    // Items join the tree in batches, and the window catches up whenever the percentage
    // moves: at most a hundred times per load, so thousands of chapters fill at once while
    // the label still counts up to 100 and the window stays alive.
    QList<QTreeWidgetItem*> batch;
    int shownPercent = -1;
    for (size_t i = 0; i < n; ++i) {
        const DirectoryEntry& e = listing.entries[i];
        app.workingBook.chapterUrl = e.url;
        app.workingBook.chapterTitle = e.title;
        batch.append(newItem(FromGbk(e.title), e.number));
        const int percent = DirectoryProgressPercent(i + 1, n);
        if (percent != shownPercent || i + 1 == n) {
            ui.树型框1->addTopLevelItems(batch);
            batch.clear();
            shownPercent = percent;
            ui.标签4->setText(QStringLiteral("正在更新目录 (%1%)...").arg(percent));
            ProcessPendingMessages();
        }
        if (app.directoryLoadStop != 0) {
            break;
        }
    }
    ui.树型框1->addTopLevelItems(batch);
    SetTag(ui.超级按钮1, listing.base);
    ui.标签4->hide();
}

} // namespace

std::string LastDirectoryBase(MainWindow& window) {
    return Tag(window.controls().超级按钮1);
}

void LoadChapterDirectory(MainWindow& window, const std::string& address) {
    loadDirectory(window, address, false);
}

void LoadDirectoryFromAddressBox(MainWindow& window) {
    std::string address = ToGbk(window.controls().编辑框1->text());
    LoadChapterDirectory(window, address.empty() ? LastDirectoryBase(window) : address);
}

} // namespace lanxi
