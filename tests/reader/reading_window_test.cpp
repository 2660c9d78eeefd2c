#include "app/app_state.h"
#include "app/main_window.h"
#include "platform/control_text_ui.h"
#include "platform/ini_file.h"
#include "platform/paths.h"
#include "reader/chapter_ui.h"
#include "support/demo_rules.h"
#include "support/scripted_dialogs.h"
#include "support/temp_home.h"
#include "text/gbk_convert.h"
#include "tools/demo_site/demo_site.h"
#include "ui_main_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMimeData>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace lanxi;
using namespace lanxi::literals;

namespace {

const QString kFailurePrefix = QStringLiteral("无法读取内容，请确保已连接到网络");

class ReadingWindow : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TMPDIR", home.root().c_str(), 1);
        ASSERT_TRUE(site.start(0));
        test::PointRulesAtPort(site.port());
        ResetAppState();
        window = std::make_unique<MainWindow>();
        window->show();
    }
    void TearDown() override { unsetenv("TMPDIR"); }

    Ui::MainWindow& ui() { return window->controls(); }
    QString url(const char* host, const std::string& path) {
        return QStringLiteral("http://%1:%2%3")
            .arg(QLatin1String(host))
            .arg(site.port())
            .arg(QString::fromStdString(path));
    }
    void read(const QString& address, int siteIndex = 0) {
        App().currentSiteIndex = siteIndex;
        ui().编辑框1->setText(address);
        ui().读取->click();
    }
    QString pane() { return ui().编辑框2->toPlainText(); }
    // Lets queued work (pictures arriving) finish.
    void settle(const std::function<bool()>& done) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 5000) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    }

    test::TempHome home;
    test::ScriptedDialogs dialogs;
    demo::DemoSite site;
    std::unique_ptr<MainWindow> window;
};

TEST_F(ReadingWindow, ReadingAChapterFillsThePaneCaptionTagsAndButtons) {
    const QString address = url("kanshuzhan.localhost", "/files/article/html/4/4321/43210002.html");
    ui().状态条1->setPartText(1, QStringLiteral("old"));
    read(address, 1);
    EXPECT_FALSE(pane().startsWith(kFailurePrefix));
    EXPECT_GT(pane().size(), 100);
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("雪夜归人 - 岚溪小说阅读器 v2.41  by:岚溪少年"));
    EXPECT_EQ(FromGbk(Tag(ui().读取)), ui().标签3->text());
    EXPECT_FALSE(ui().标签3->text().isEmpty());
    EXPECT_EQ(FromGbk(Tag(ui().下一章)),
              url("kanshuzhan.localhost", "/files/article/html/4/4321/43210003.html"));
    EXPECT_EQ(FromGbk(Tag(ui().上一章)),
              url("kanshuzhan.localhost", "/files/article/html/4/4321/43210001.html"));
    EXPECT_EQ(FromGbk(Tag(ui().加书签)), address);
    EXPECT_EQ(FromGbk(Tag(ui().编辑框1)), address);
    EXPECT_EQ(Tag(ui().书页按钮), "4321");
    EXPECT_EQ(App().urlBookId, "4321");
    EXPECT_EQ(App().workingBook.title, "雪夜归人"_gbk);
    EXPECT_EQ(ui().下一章->text(), QStringLiteral("下一章/&→"));
    for (QWidget* w :
         {static_cast<QWidget*>(ui().下一章), static_cast<QWidget*>(ui().上一章),
          static_cast<QWidget*>(ui().读取), static_cast<QWidget*>(ui().加书签),
          static_cast<QWidget*>(ui().书页按钮), static_cast<QWidget*>(ui().超级按钮1)}) {
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    }
    EXPECT_TRUE(ui().状态条1->partText(1).isEmpty());
    EXPECT_EQ(App().readerBusy, 0);
}

TEST_F(ReadingWindow, NextAndPreviousWalkAFinishedBook) {
    read(url("rdzw.localhost", "/Html/Book/2/2445/24450001.shtml"));
    EXPECT_FALSE(ui().上一章->isEnabled());
    EXPECT_EQ(ui().上一章->text(), QStringLiteral("第一章了"));
    int steps = 0;
    while (ui().下一章->isEnabled() && steps < 20) {
        ui().下一章->click();
        ++steps;
        ASSERT_FALSE(pane().startsWith(kFailurePrefix)) << steps;
    }
    EXPECT_EQ(steps, 11);
    EXPECT_EQ(ui().下一章->text(), QStringLiteral("最后一章"));
    EXPECT_TRUE(ui().编辑框1->text().endsWith(QStringLiteral("/24450012.shtml")));
    while (ui().上一章->isEnabled() && steps < 40) {
        ui().上一章->click();
        ++steps;
    }
    EXPECT_EQ(steps, 22);
    EXPECT_EQ(ui().上一章->text(), QStringLiteral("第一章了"));
    EXPECT_TRUE(ui().下一章->isEnabled());
    EXPECT_EQ(ui().下一章->text(), QStringLiteral("下一章/&→"));
}

TEST_F(ReadingWindow, AnImageChapterShowsInTheHtmlBoxWithItsPicture) {
    read(url("kanshuzhan.localhost", "/files/article/html/6/6789/67890002.html"), 1);
    EXPECT_TRUE(ui().图片显示框->isVisible());
    const QString source = url("kanshuzhan.localhost", "/chapterpic/6789/67890002.gif");
    EXPECT_TRUE(ui().图片显示框->toHtml().contains(source));
    auto picture = [&] {
        return ui()
            .图片显示框->document()
            ->resource(QTextDocument::ImageResource, QUrl(source))
            .value<QImage>();
    };
    settle([&] { return !picture().isNull(); });
    EXPECT_FALSE(picture().isNull());
    EXPECT_EQ(ui().进度条1->value(), 100);
    EXPECT_EQ(ui().透明标签1->text(), QStringLiteral("100%"));
    const std::string capture = test::ReadBytes(CapturePath());
    EXPECT_EQ(capture.rfind("云间画卷--"_gbk, 0), 0u);
    EXPECT_TRUE(ui().编辑框3->toPlainText().contains(QStringLiteral("年")));
    EXPECT_TRUE(ui().编辑框3->toPlainText().contains(source));
}

TEST_F(ReadingWindow, AnUnreachableAddressShowsTheFailureTextAndLeavesTheWindowUsable) {
    read(QStringLiteral("http://127.0.0.1:1/book/1.html"));
    EXPECT_TRUE(pane().startsWith(kFailurePrefix));
    EXPECT_TRUE(pane().endsWith(QStringLiteral(" 提交BUG ，我们将尽快解决！")));
    EXPECT_TRUE(ui().读取->isEnabled());
    EXPECT_FALSE(ui().下一章->isEnabled()); // no title: navigation stays off
    EXPECT_EQ(App().readerBusy, 0);
}

TEST_F(ReadingWindow, ARootRelativeAddressOnSiteZeroGetsTheSiteAddressInFront) {
    read(QStringLiteral("/Html/Book/2/2445/24450002.shtml"));
    EXPECT_FALSE(pane().startsWith(kFailurePrefix));
    EXPECT_EQ(FromGbk(Tag(ui().加书签)),
              url("rdzw.localhost", "//Html/Book/2/2445/24450002.shtml"));
}

TEST_F(ReadingWindow, TheNetworkAddressMenuAsksAndReads) {
    dialogs.inputAnswers = {url("rdzw.localhost", "/Html/Book/2/2445/24450003.shtml")};
    ui().菜单打开网络地址->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, QStringLiteral("打开网络小说"));
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("输入完整的小说书页地址"));
    EXPECT_FALSE(pane().startsWith(kFailurePrefix));
    EXPECT_TRUE(FromGbk(Tag(ui().加书签)).endsWith(QStringLiteral("24450003.shtml")));
}

TEST_F(ReadingWindow, ADirectoryLoadsWithItsProgressAndOpensAChapter) {
    read(url("kanshuzhan.localhost", "/files/article/html/0/96/960002.html"), 1);
    ASSERT_TRUE(ui().超级按钮1->isEnabled()); // a read enables the directory button
    // Site 1 loads the address as it is, so the box gets the book's directory.
    ui().编辑框1->setText(url("kanshuzhan.localhost", "/files/article/html/0/96/"));
    QStringList progress;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        const QString text = ui().标签4->text();
        if (ui().标签4->isVisible() && (progress.isEmpty() || progress.last() != text)) {
            progress << text;
        }
    });
    sampler.start(0);
    ui().超级按钮1->click();
    sampler.stop();
    EXPECT_TRUE(progress.contains(QStringLiteral("正在更新目录 (20%)...")));
    EXPECT_EQ(progress.last(), QStringLiteral("正在更新目录 (100%)..."));
    EXPECT_FALSE(ui().标签4->isVisible());
    ASSERT_EQ(ui().树型框1->topLevelItemCount(), 5);
    QTreeWidgetItem* third = ui().树型框1->topLevelItem(2);
    EXPECT_EQ(third->data(0, Qt::UserRole).toInt(), 960003);

    ui().树型框1->setCurrentItem(third);
    emit ui().树型框1->itemDoubleClicked(third, 0);
    const QString chapter = url("kanshuzhan.localhost", "/files/article/html/0/96/960003.html");
    EXPECT_EQ(ui().编辑框1->text(), chapter);
    EXPECT_EQ(FromGbk(Tag(ui().加书签)), chapter);
    EXPECT_EQ(ui().标签3->text(), third->text(0));
}

TEST_F(ReadingWindow, AFailedDirectoryFallsBackToTheLastGoodOne) {
    App().currentSiteIndex = 1;
    ui().超级按钮1->setEnabled(true);
    ui().编辑框1->setText(QString());
    ui().超级按钮1->click(); // nothing loaded yet: the empty address entry
    ASSERT_EQ(ui().树型框1->topLevelItemCount(), 1);
    EXPECT_EQ(ui().树型框1->topLevelItem(0)->text(0), QStringLiteral("读取出错,地址为空！"));

    ui().编辑框1->setText(url("kanshuzhan.localhost", "/files/article/html/0/96/"));
    ui().超级按钮1->click();
    ASSERT_EQ(ui().树型框1->topLevelItemCount(), 5);

    ui().编辑框1->setText(url("kanshuzhan.localhost", "/no/such/book/"));
    ui().超级按钮1->click();
    EXPECT_EQ(ui().树型框1->topLevelItemCount(), 5); // the last good directory again

    // When the last good directory fails too, the load ends instead of repeating.
    site.stop();
    ui().超级按钮1->click();
    ASSERT_EQ(ui().树型框1->topLevelItemCount(), 1);
    EXPECT_EQ(ui().树型框1->topLevelItem(0)->text(0), QStringLiteral("读取出错！"));
    EXPECT_FALSE(ui().标签4->isVisible());
}

TEST_F(ReadingWindow, LoadingWhileCollapsedExpandsThePanelFirst) {
    ui().缩放按钮->click();
    ASSERT_TRUE(App().directoryCollapsed);
    App().currentSiteIndex = 1;
    ui().超级按钮1->setEnabled(true);
    ui().编辑框1->setText(url("kanshuzhan.localhost", "/files/article/html/0/96/"));
    ui().超级按钮1->click();
    EXPECT_FALSE(App().directoryCollapsed);
    EXPECT_TRUE(ui().树型框1->isVisible());
    EXPECT_EQ(ui().缩放按钮->text(), QStringLiteral("<"));
}

class LocalReading : public ReadingWindow {
protected:
    // 22500 two-byte characters: 45000 bytes, unchanged by the full-width conversion.
    std::string writeBook() {
        std::string text;
        for (int i = 0; i < 22500; ++i) {
            text += "中"_gbk;
        }
        test::WriteBytes(home.root() / "book.txt", text);
        return (home.root() / "book.txt").string();
    }
    void expectPage(int page, bool prevEnabled, bool nextEnabled) {
        EXPECT_EQ(ui().状态条1->partText(1), QStringLiteral("书页：  %1  /  3  页").arg(page));
        EXPECT_EQ(ui().状态条1->partText(2), QStringLiteral("45000"));
        EXPECT_EQ(ui().上一章->isEnabled(), prevEnabled) << page;
        EXPECT_EQ(ui().下一章->isEnabled(), nextEnabled) << page;
        EXPECT_EQ(Tag(ui().读取), std::to_string(page * 20000));
    }
};

TEST_F(LocalReading, PagesForwardAndBackWithTheirButtonStates) {
    dialogs.openAnswers = {QString::fromStdString(writeBook())};
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ui().标签3, &press);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, QStringLiteral("打开本地TXT小说"));
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("文本文件（*.txt）|*.txt"));
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("本地图书 - 岚溪小说阅读器 v2.41  by:岚溪少年"));
    EXPECT_EQ(Tag(ui().标签3), "真"_gbk);
    EXPECT_FALSE(ui().加书签->isEnabled());
    expectPage(1, false, true);
    EXPECT_EQ(pane().size(), 10000);

    ui().下一章->click();
    expectPage(2, true, true);
    ui().下一章->click();
    expectPage(3, true, false);
    EXPECT_EQ(pane().size(), 2500);
    EXPECT_EQ(ui().上一章->text(), QStringLiteral("上一章/&←"));
    ui().上一章->click();
    expectPage(2, true, true);
}

TEST_F(LocalReading, ThePositionComesBackAfterARestart) {
    const std::string book = writeBook();
    dialogs.openAnswers = {QString::fromStdString(book)};
    ui().菜单打开TXT小说->trigger();
    ui().下一章->click();
    ui().下一章->click();
    expectPage(3, true, false);
    dialogs.confirmAnswers = {true};
    ASSERT_TRUE(window->close());
    EXPECT_EQ(GbkToUtf8(IniRead(SettingsPath(), "本地txt"_gbk, "用户读取"_gbk, "")), "45000|60000");

    ResetAppState();
    window = std::make_unique<MainWindow>();
    window->show();
    dialogs.openAnswers = {QString::fromStdString(book)};
    ui().菜单打开TXT小说->trigger();
    expectPage(3, true, false);
}

TEST_F(LocalReading, AFileDroppedOnThePaneOpensAndANetworkReadStoresItsPosition) {
    read(url("rdzw.localhost", "/Html/Book/2/2445/24450002.shtml"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(writeBook()))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ui().编辑框2->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ui().编辑框2->viewport(), &drop);
    expectPage(1, false, true);
    EXPECT_EQ(IniRead(SettingsPath(), "本地txt"_gbk, "用户读取"_gbk, "none"), "none");

    ui().下一章->click();
    read(url("rdzw.localhost", "/Html/Book/2/2445/24450002.shtml"));
    EXPECT_EQ(IniRead(SettingsPath(), "本地txt"_gbk, "用户读取"_gbk, ""), "45000|40000");
    EXPECT_EQ(Tag(ui().标签3), "");
}

TEST_F(LocalReading, AFileCannotOpenWhileAChapterLoads) {
    const std::string book = writeBook();
    dialogs.openAnswers = {QString::fromStdString(book)};
    bool triedDuringTheRead = false;
    QTimer::singleShot(100, [&] {
        triedDuringTheRead = App().chapterReads > 0;
        ui().菜单打开TXT小说->trigger();
    });
    read(url("rdzw.localhost", "/test/delay?ms=600"));
    ASSERT_TRUE(triedDuringTheRead);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(Tag(ui().标签3), "");
    EXPECT_TRUE(pane().startsWith(kFailurePrefix)); // the delay page is no chapter

    // Once the read is over the file opens as usual.
    ui().菜单打开TXT小说->trigger();
    expectPage(1, false, true);
}

TEST_F(LocalReading, ADroppedFolderGivesAnEmptyTextAndNoCrash) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(home.root().string()))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ui().编辑框2->viewport(), &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ui().编辑框2->viewport(), &drop);
    EXPECT_TRUE(pane().isEmpty());
    EXPECT_EQ(ui().状态条1->partText(1), QStringLiteral("书页：  1  /  0  页"));
    EXPECT_FALSE(ui().上一章->isEnabled());
    EXPECT_FALSE(ui().下一章->isEnabled());
}

TEST_F(ReadingWindow, TheHtmlBoxNeverReadsLocalFiles) {
    // A real picture, so reading it would show.
    QImage secret(4, 4, QImage::Format_RGB32);
    secret.fill(Qt::red);
    ASSERT_TRUE(secret.save(QString::fromStdString((home.root() / "secret.gif").string()), "PNG"));
    const QString page = QStringLiteral("<img src=\"file://%1\"><img src=\"%1\">"
                                        "<link rel=stylesheet href=\"file://%1\">")
                             .arg(QString::fromStdString((home.root() / "secret.gif").string()));
    ui().图片显示框->showPage(page);
    for (const QString& name :
         {QStringLiteral("file://") + QString::fromStdString((home.root() / "secret.gif").string()),
          QString::fromStdString((home.root() / "secret.gif").string())}) {
        EXPECT_TRUE(ui().图片显示框->document()
                        ->resource(QTextDocument::ImageResource, QUrl(name))
                        .value<QImage>()
                        .isNull());
    }
    EXPECT_EQ(ui().进度条1->value(), 100); // nothing to fetch
}

} // namespace
