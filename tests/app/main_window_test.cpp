#include "app/app_state.h"
#include "app/embedded_page.h"
#include "app/main_window.h"
#include "platform/control_text_ui.h"
#include "platform/ini_file.h"
#include "platform/paths.h"
#include "support/scripted_dialogs.h"
#include "support/temp_home.h"
#include "text/gbk_convert.h"
#include "ui_main_window.h"

#include <QMenu>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace lanxi;
using namespace lanxi::literals;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        // The start page goes to the temporary folder: keep it inside this test's folder.
        const char* old = std::getenv("TMPDIR");
        oldTmp_ = old ? old : "";
        setenv("TMPDIR", home.root().c_str(), 1);
        ResetAppState();
    }
    ~MainWindowTest() override {
        if (oldTmp_.empty()) {
            unsetenv("TMPDIR");
        } else {
            setenv("TMPDIR", oldTmp_.c_str(), 1);
        }
    }

    std::unique_ptr<MainWindow> open() {
        auto w = std::make_unique<MainWindow>();
        w->show();
        return w;
    }

    void writeSetting(const char* section, const char* key, const std::string& utf8Value) {
        ASSERT_TRUE(
            IniWrite(SettingsPath(), Utf8ToGbk(section), Utf8ToGbk(key), Utf8ToGbk(utf8Value)));
    }
    std::string setting(const char* section, const char* key) {
        return GbkToUtf8(IniRead(SettingsPath(), Utf8ToGbk(section), Utf8ToGbk(key), "<missing>"));
    }

    test::TempHome home;
    test::ScriptedDialogs dialogs;

private:
    std::string oldTmp_;
};

TEST_F(MainWindowTest, FirstStartShowsTheDefaults) {
    auto w = open();
    Ui::MainWindow& ui = w->controls();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("岚溪小说阅读器 v2.41"));
    EXPECT_EQ(w->pos(), QPoint(50, 50));
    EXPECT_EQ(w->size(), QSize(830, 530));
    EXPECT_EQ(ui.编辑框2->palette().color(QPalette::Base), QColor(236, 236, 236));
    EXPECT_EQ(ui.编辑框2->palette().color(QPalette::Text), QColor(0, 0, 128));
    EXPECT_EQ(ui.颜色->colour(), QColor(0, 0, 128));
    EXPECT_EQ(ui.编辑框2->font().pointSize(), 13);
    EXPECT_EQ(ui.组合框2->currentText(), QStringLiteral("淡蓝风格"));
    EXPECT_TRUE(ui.编辑框1->text().isEmpty());
    EXPECT_TRUE(ui.树型框1->isVisible());
    EXPECT_FALSE(App().directoryCollapsed);
    EXPECT_EQ(App().readerBusy, 1);
    EXPECT_EQ(App().windowStyle, 3);
    EXPECT_NEAR(w->windowOpacity(), 245.0 / 255.0, 0.01);
    // Laid out for the design size.
    EXPECT_EQ(ui.编辑框2->size(), QSize(600, 435));
    EXPECT_EQ(ui.外形框1->x(), 745);
    EXPECT_EQ(ui.状态条1->y(), 498);

    // The start page is on disk and in the hidden HTML box.
    EXPECT_EQ(test::ReadBytes(StartPagePath()), StartPageBytes());
    EXPECT_FALSE(ui.图片显示框->isVisible());
    EXPECT_TRUE(ui.图片显示框->toPlainText().contains(QStringLiteral("岚溪小说阅读器")));

    // One log line: the hotkey flag, still false.
    EXPECT_TRUE(ui.编辑框3->toPlainText().endsWith(QStringLiteral("：  假\n")));
    EXPECT_FALSE(ui.编辑框3->isVisible());
    ui.按钮1->click();
    EXPECT_TRUE(ui.编辑框3->isVisible());
    ui.按钮1->click();
    EXPECT_FALSE(ui.编辑框3->isVisible());
    EXPECT_FALSE(std::filesystem::exists(SettingsPath()));
}

TEST_F(MainWindowTest, SavedSettingsAreApplied) {
    writeSetting("用户记录", "最后阅读", "http://kanshuzhan.localhost:8733/1/1.html");
    writeSetting("系统设置", "窗体风格", "2");
    writeSetting("系统设置", "内容背景", "255");
    writeSetting("系统设置", "文字颜色", "16711680");
    writeSetting("系统设置", "文字大小", "26");
    auto w = open();
    Ui::MainWindow& ui = w->controls();
    EXPECT_EQ(ui.编辑框1->text(), QStringLiteral("http://kanshuzhan.localhost:8733/1/1.html"));
    EXPECT_EQ(Tag(ui.编辑框1), "http://kanshuzhan.localhost:8733/1/1.html");
    EXPECT_EQ(ui.组合框2->currentIndex(), 1);
    EXPECT_EQ(ui.编辑框2->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(ui.树型框1->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(ui.编辑框2->palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_EQ(ui.编辑框2->font().pointSize(), 26);
}

TEST_F(MainWindowTest, StyleOutsideTheRangeLeavesTheListUnselected) {
    writeSetting("系统设置", "窗体风格", "7");
    auto w = open();
    EXPECT_EQ(App().windowStyle, 7);
    EXPECT_EQ(w->controls().组合框2->currentIndex(), -1);
}

TEST_F(MainWindowTest, OnlyTheExactTrueWordCollapsesTheDirectory) {
    struct Case {
        const char* value;
        bool collapsed;
    } cases[] = {{"真", true}, {"true", false}, {"1", false}, {"假", false}};
    for (const Case& c : cases) {
        writeSetting("系统设置", "收缩", c.value);
        ResetAppState();
        auto w = open();
        EXPECT_EQ(App().directoryCollapsed, c.collapsed) << c.value;
        EXPECT_EQ(w->controls().树型框1->isVisible(), !c.collapsed) << c.value;
    }
}

TEST_F(MainWindowTest, CollapsingAndExpandingRestoresTheLayout) {
    auto w = open();
    Ui::MainWindow& ui = w->controls();
    auto geometries = [&] {
        return std::vector<QRect>{ui.编辑框1->geometry(),    ui.编辑框2->geometry(),
                                  ui.标签1->geometry(),      ui.标签3->geometry(),
                                  ui.图片显示框->geometry(), ui.缩放按钮->geometry()};
    };
    auto widths = [&] {
        std::vector<int> out;
        for (const QRect& r : geometries()) {
            out.push_back(r.width());
        }
        return out;
    };
    const auto widthsBefore = widths();
    ui.缩放按钮->click();
    EXPECT_TRUE(App().directoryCollapsed);
    EXPECT_FALSE(ui.树型框1->isVisible());
    EXPECT_EQ(ui.编辑框2->geometry(), QRect(15, 61, 600 + 135, 435));
    EXPECT_EQ(ui.缩放按钮->text(), QStringLiteral(">"));
    ui.缩放按钮->click();
    EXPECT_FALSE(App().directoryCollapsed);
    EXPECT_TRUE(ui.树型框1->isVisible());
    EXPECT_EQ(ui.缩放按钮->text(), QStringLiteral("<"));
    // Expanding puts the reading column at left 150, so every later cycle comes back to
    // exactly the same place, and the widths are those of the start.
    EXPECT_EQ(widths(), widthsBefore);
    EXPECT_EQ(ui.编辑框2->x(), 150);
    const auto afterOneCycle = geometries();
    ui.缩放按钮->click();
    ui.缩放按钮->click();
    EXPECT_EQ(geometries(), afterOneCycle);
}

TEST_F(MainWindowTest, CancellingTheExitQuestionWritesNothing) {
    auto w = open();
    dialogs.confirmAnswers = {false};
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, QStringLiteral("confirm"));
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("提示：即将退出软件，是否确认？"));
    EXPECT_EQ(dialogs.shown[0].caption, QStringLiteral("退出软件："));
    EXPECT_FALSE(std::filesystem::exists(SettingsPath()));
    EXPECT_EQ(App().directoryLoadStop, 0);
}

TEST_F(MainWindowTest, ConfirmingTheExitWritesTheSixKeys) {
    auto w = open();
    Ui::MainWindow& ui = w->controls();
    ui.编辑框1->setText(QStringLiteral("http://rdzw.localhost:8733//Html/Book/1/1/2.html"));
    w->ApplyTextColour(QColor(10, 20, 30));
    ui.缩放按钮->click();
    dialogs.confirmAnswers = {true};
    EXPECT_TRUE(w->close());
    EXPECT_EQ(setting("系统设置", "内容背景"), "15527148");
    EXPECT_EQ(setting("系统设置", "窗体风格"), "3");
    EXPECT_EQ(setting("系统设置", "文字颜色"), std::to_string(10 + 20 * 256 + 30 * 65536));
    EXPECT_EQ(setting("系统设置", "文字大小"), "13");
    EXPECT_EQ(setting("用户记录", "最后阅读"), "http://rdzw.localhost:8733//Html/Book/1/1/2.html");
    EXPECT_EQ(setting("系统设置", "收缩"), "真");
    EXPECT_EQ(setting("本地txt", "用户读取"), "<missing>");
    EXPECT_EQ(App().directoryLoadStop, 1);
}

TEST_F(MainWindowTest, ExitWhileReadingALocalFileSavesThePosition) {
    auto w = open();
    Ui::MainWindow& ui = w->controls();
    SetTag(ui.标签3, "真"_gbk);
    ui.状态条1->setPartText(2, QStringLiteral("123456"));
    SetTag(ui.读取, "40001");
    dialogs.confirmAnswers = {true};
    EXPECT_TRUE(w->close());
    EXPECT_EQ(setting("本地txt", "用户读取"), "123456|40001");
    EXPECT_EQ(Tag(ui.标签3), "");
}

TEST_F(MainWindowTest, TheExitMenuItemTakesTheSamePath) {
    auto w = open();
    Ui::MainWindow& ui = w->controls();
    dialogs.confirmAnswers = {false};
    ui.菜单退出->trigger();
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(std::filesystem::exists(SettingsPath()));
    dialogs.confirmAnswers = {true};
    ui.菜单退出->trigger();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(std::filesystem::exists(SettingsPath()));
    EXPECT_EQ(dialogs.shown.size(), 2u);
}

TEST_F(MainWindowTest, ContextMenuHoldsItsItemsInOrder) {
    auto w = open();
    QStringList texts;
    for (QAction* a : w->contextMenu()->actions()) {
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    EXPECT_EQ(texts.join(u','), QStringLiteral("打开,取消,打开TXT小说,打开网络地址,查看分类,-,"
                                               "关于软件,检查更新,访问官方站,-,退出"));
}

TEST_F(MainWindowTest, StartUpRemovesUpdateLeftovers) {
    test::WriteBytes(home.home() / "update.dll", "x");
    test::WriteBytes(home.home() / "zip.exe", "x");
    auto w = open();
    EXPECT_FALSE(std::filesystem::exists(home.home() / "update.dll"));
    EXPECT_FALSE(std::filesystem::exists(home.home() / "zip.exe"));
    EXPECT_EQ(w->startupTimer()->interval(), 500);
}

TEST_F(MainWindowTest, ResizingKeepsTheLayoutRules) {
    auto w = open();
    Ui::MainWindow& ui = w->controls();
    w->resize(600, 400);
    EXPECT_EQ(ui.编辑框2->size(), QSize(370, 305));
    EXPECT_EQ(ui.外形框1->x(), 515);
    EXPECT_EQ(ui.状态条1->geometry(), QRect(5, 368, 590, 20));
    ui.缩放按钮->click();
    w->resize(601, 400);
    EXPECT_EQ(ui.编辑框2->width(), 371 + 135);
}

} // namespace
