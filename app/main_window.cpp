#include "app/main_window.h"

#include "app/activity_log.h"
#include "app/app_state.h"
#include "app/embedded_page.h"
#include "app/settings.h"
#include "platform/control_text_ui.h"
#include "platform/dialogs_ui.h"
#include "platform/event_wait_ui.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "reader/chapter_ui.h"
#include "reader/directory_panel_ui.h"
#include "reader/directory_ui.h"
#include "reader/local_text_ui.h"
#include "text/gbk_convert.h"
#include "ui_main_window.h"
#include "update/update_files.h"

#include <QCloseEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QTimer>

#include <algorithm>

using namespace lanxi;
using namespace lanxi::literals;

namespace {

MainWindow* g_mainWindow = nullptr;

constexpr double kWindowOpacity = 245.0 / 255.0;
constexpr int kStartupTimerInterval = 500;
constexpr int kDefaultFontSize = 13;

const QString kHelpText =
    QStringLiteral("欢迎使用岚溪小说阅读器！\n\n"
                   "使用方法：\n"
                   "1. 右键菜单选“打开网络地址”，输入小说章节的网址开始阅读；\n"
                   "2. 用“下一章”“上一章”或键盘的 → ← 键翻章；\n"
                   "3. “加书签”把正在读的书放上书架，“书架”查看哪些书有更新；\n"
                   "4. 点击上方的提示文字、把文件拖进阅读区或用右键菜单打开本地TXT小说；\n"
                   "5. 右侧的颜色、风格和字体按钮可以调整阅读界面。\n\n"
                   "官方网站：http://lanxi.localhost:8733/    联系邮箱：support@lanxi.localhost");

QColor colourFromValue(long long value) {
    Rgb rgb = RgbFromColourValue(value);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

long long valueFromColour(const QColor& c) {
    return ColourValueFromRgb({c.red(), c.green(), c.blue()});
}

void setPaletteColour(QWidget* w, QPalette::ColorRole role, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(role, colour);
    w->setPalette(p);
}

} // namespace

MainWindow* MainWindowHandle() {
    return g_mainWindow;
}

MainWindow::MainWindow(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::MainWindow>()) {
    ui_->setupUi(this);
    move(50, 50);
    ui_->编辑框2->setPlainText(kHelpText);
    时钟1_ = new QTimer(this);
    BuildContextMenu();
    ConnectControls();
    OnCreated();
}

MainWindow::~MainWindow() {
    if (g_mainWindow == this) {
        g_mainWindow = nullptr;
    }
}

// Start-up steps that need the window, in their order.
void MainWindow::OnCreated() {
    // Push-button skin, style 1: applied here once the skinned controls exist.
    setWindowOpacity(kWindowOpacity);
    CleanUpdateLeftovers();
    App().programVersion = kProgramVersion;
    setWindowTitle(windowTitle() + QString::fromLatin1(kProgramVersion));
    LoadSettings();
    WriteStartPage(StartPagePath()); // a failed write leaves the hidden box empty, no more
    ProcessPendingMessages();
    if (auto page = ReadFileBytes(StartPagePath())) {
        ui_->图片显示框->showPage(FromGbk(*page));
    }
    // The announcement and the silent update check hang off this timer's ticks.
    时钟1_->setInterval(kStartupTimerInterval);
    g_mainWindow = this;
    RegisterDropTarget(true);
    AppendLog(App().hotkeysRegistered ? "真"_gbk : "假"_gbk);
    // The window is shaped by its background picture here with the window chrome.
}

void MainWindow::LoadSettings() {
    const Settings s = ReadSettings(SettingsPath());
    ui_->编辑框1->setText(FromGbk(s.lastAddress));
    SetTag(ui_->编辑框1, s.lastAddress);

    App().windowStyle = static_cast<int>(std::clamp<long long>(s.windowStyle, -1000, 1000));
    // Styles 1..3 skin the side panel's buttons once the skinned controls exist.
    ui_->组合框2->setCurrentIndex(App().windowStyle - 1);

    ApplyBackgroundColour(colourFromValue(s.background));
    ApplyTextColour(colourFromValue(s.textColour));
    QFont font = ui_->编辑框2->font();
    // A size no font can have (a damaged file) falls back to the default size.
    font.setPointSize(s.fontSize >= 1 && s.fontSize <= 400 ? static_cast<int>(s.fontSize)
                                                           : kDefaultFontSize);
    ui_->编辑框2->setFont(font);
    ui_->颜色->setColour(ui_->编辑框2->palette().color(QPalette::Text));

    if (s.directoryCollapsed) {
        CollapseDirectoryPanel(*ui_);
    } else {
        App().directoryCollapsed = false;
    }
    // The bookshelf database is opened here with the bookshelf.
    App().readerBusy = 1;
}

void MainWindow::SaveSettings() {
    Settings s;
    s.background = valueFromColour(ui_->编辑框2->palette().color(QPalette::Base));
    s.windowStyle = App().windowStyle;
    s.textColour = valueFromColour(ui_->编辑框2->palette().color(QPalette::Text));
    s.fontSize = ui_->编辑框2->font().pointSize();
    s.lastAddress = ToGbk(ui_->编辑框1->text());
    s.directoryCollapsed = App().directoryCollapsed;
    WriteSettings(SettingsPath(), s);
}

void MainWindow::SaveLocalPosition() {
    if (Tag(ui_->标签3) != "真"_gbk) {
        return;
    }
    WriteLocalPosition(SettingsPath(), ToGbk(ui_->状态条1->partText(2)) + "|" + Tag(ui_->读取));
    SetTag(ui_->标签3, "");
}

void MainWindow::AppendLog(std::string_view gbkText) {
    AppendLogText(FromGbkLines(FormatLogLine(LocalTimeNow(), gbkText)));
}

void MainWindow::AppendLogText(const QString& text) {
    QTextCursor cursor = ui_->编辑框3->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
}

QString MainWindow::ReaderCaption(const QString& subject) {
    return subject + QStringLiteral(" - 岚溪小说阅读器 v") +
           QString::fromStdString(App().programVersion) + QStringLiteral("  by:岚溪少年");
}

void MainWindow::ApplyBackgroundColour(const QColor& colour) {
    setPaletteColour(ui_->编辑框2, QPalette::Base, colour);
    setPaletteColour(ui_->树型框1, QPalette::Base, colour);
    setPaletteColour(this, QPalette::Window, colour);
    setAutoFillBackground(true);
    setPaletteColour(ui_->标签3, QPalette::Window, colour);
    ui_->标签3->setAutoFillBackground(true);
}

void MainWindow::ApplyTextColour(const QColor& colour) {
    setPaletteColour(ui_->编辑框2, QPalette::Text, colour);
    setPaletteColour(ui_->树型框1, QPalette::Text, colour);
    setPaletteColour(ui_->标签3, QPalette::WindowText, colour);
}

void MainWindow::LayoutMainWindow() {
    const int w = width();
    const int h = height();
    // Rounded window outline: applied here with the window chrome.
    ui_->编辑框2->resize(ui_->编辑框2->width(), h - 95);
    ui_->外形框1->move(w - 85, ui_->外形框1->y());
    ui_->状态条1->setGeometry(5, ui_->编辑框2->height() + 63, w - 10, 20);
    const int paneWidth = w - 230 + (App().directoryCollapsed ? App().savedDirectoryWidth : 0);
    ui_->编辑框2->resize(paneWidth, ui_->编辑框2->height());
    ui_->编辑框1->resize(paneWidth - ui_->标签1->width() + 1, ui_->编辑框1->height());
    ui_->标签3->resize(ui_->编辑框1->width() + ui_->标签1->width(), ui_->标签3->height());
    ui_->图片显示框->resize(paneWidth, ui_->图片显示框->height());
    ui_->缩放按钮->resize(ui_->缩放按钮->width(), h - 70);
    ui_->树型框1->resize(ui_->树型框1->width(), ui_->编辑框2->height());
    ui_->图片显示框->resize(ui_->图片显示框->width(), ui_->编辑框2->height());
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutMainWindow();
}

void MainWindow::BuildContextMenu() {
    右键菜单_ = new QMenu(QStringLiteral("右键菜单"), this);
    右键菜单_->setObjectName(QStringLiteral("右键菜单"));
    右键菜单_->addAction(ui_->菜单打开);
    右键菜单_->addAction(ui_->菜单取消);
    右键菜单_->addAction(ui_->菜单打开TXT小说);
    右键菜单_->addAction(ui_->菜单打开网络地址);
    右键菜单_->addAction(ui_->菜单查看分类);
    右键菜单_->addSeparator();
    右键菜单_->addAction(ui_->菜单关于软件);
    右键菜单_->addAction(ui_->菜单检查更新);
    右键菜单_->addAction(ui_->菜单访问官方站);
    右键菜单_->addSeparator();
    右键菜单_->addAction(ui_->菜单退出);
    // Items whose features have not been built yet stay visible but cannot be chosen.
    for (QAction* a :
         {ui_->菜单查看分类, ui_->菜单关于软件, ui_->菜单检查更新, ui_->菜单访问官方站}) {
        a->setEnabled(false);
    }
}

void MainWindow::ShowMainMenu(bool showOpenItem) {
    ui_->菜单打开->setVisible(showOpenItem);
    右键菜单_->exec(QCursor::pos());
}

void MainWindow::ConnectControls() {
    connect(ui_->菜单退出, &QAction::triggered, this, &QWidget::close);
    connect(ui_->读取, &QPushButton::clicked, this, [this] { ReadAddressBox(*this); });
    connect(ui_->下一章, &QPushButton::clicked, this, [this] { ReadNextChapter(*this); });
    connect(ui_->上一章, &QPushButton::clicked, this, [this] { ReadPreviousChapter(*this); });
    connect(ui_->菜单打开网络地址, &QAction::triggered, this,
            [this] { OpenNetworkAddress(*this); });
    connect(ui_->菜单打开, &QAction::triggered, this, [this] { OpenDirectoryChapter(*this); });
    connect(ui_->树型框1, &QTreeWidget::itemDoubleClicked, this,
            [this] { OpenDirectoryChapter(*this); });
    connect(ui_->超级按钮1, &QPushButton::clicked, this,
            [this] { LoadDirectoryFromAddressBox(*this); });
    connect(ui_->菜单打开TXT小说, &QAction::triggered, this,
            [this] { OpenLocalTextWithDialog(*this); });
    ui_->标签3->installEventFilter(this);
    connect(ui_->图片显示框, &HtmlBox::progress, this, &MainWindow::ShowBrowserProgress);
    connect(ui_->按钮1, &QPushButton::clicked, this,
            [this] { ui_->编辑框3->setVisible(!ui_->编辑框3->isVisible()); });
    connect(ui_->缩放按钮, &QPushButton::clicked, this, [this] { ToggleDirectoryPanel(*ui_); });
    connect(ui_->编辑框1, &QLineEdit::textChanged, this,
            [this](const QString& text) { SetTag(ui_->编辑框1, ToGbk(text)); });

    for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(ui_->编辑框2),
                       static_cast<QWidget*>(ui_->外形框1)}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this, [this] { ShowMainMenu(false); });
    }
    ui_->树型框1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui_->树型框1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        QTreeWidgetItem* item = ui_->树型框1->itemAt(pos);
        if (item) {
            ui_->树型框1->setCurrentItem(item);
        }
        ShowMainMenu(item != nullptr);
    });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (shutDownDone_) {
        event->accept();
        return;
    }
    if (!AppDialogs().confirm(this, QStringLiteral("提示：即将退出软件，是否确认？"),
                              QStringLiteral("退出软件："))) {
        event->ignore();
        return;
    }
    ShutDown();
    event->accept();
}

// Shut-down steps, in their order, after the user confirmed.
void MainWindow::ShutDown() {
    shutDownDone_ = true;
    SaveSettings();
    SaveLocalPosition();
    App().directoryLoadStop = 1;
    // The bookshelf, category and book-information windows are closed here once they exist,
    // then the bookshelf database and the global hotkeys are released.
    RegisterDropTarget(false);
}

void MainWindow::RegisterDropTarget(bool on) {
    QWidget* pane = ui_->编辑框2->viewport();
    ui_->编辑框2->setAcceptDrops(on);
    pane->setAcceptDrops(on);
    if (on) {
        pane->installEventFilter(this);
    } else {
        pane->removeEventFilter(this);
    }
}

// Files dropped on the reading pane open as local text; the pane's own text drops are not
// wanted there.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->编辑框2->viewport()) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDropEvent*>(event);
            if (drag->mimeData()->hasUrls()) {
                drag->acceptProposedAction();
            } else {
                drag->ignore();
            }
            return true;
        }
        if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            const QList<QUrl> urls = drop->mimeData()->urls();
            if (!urls.isEmpty() && urls.first().isLocalFile()) {
                drop->acceptProposedAction();
                OpenLocalText(*this, urls.first().toLocalFile());
            }
            return true;
        }
    }
    if (watched == ui_->标签3 && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        OpenLocalTextWithDialog(*this);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::ShowBrowserProgress(int percent) {
    ui_->进度条1->setValue(percent);
    ui_->透明标签1->setText(QString::number(percent) + QStringLiteral("%"));
}
