#pragma once
#include <QColor>
#include <QWidget>
#include <memory>
#include <string>

namespace Ui {
class MainWindow;
}
class QMenu;
class QTimer;

// The reader window: directory on the left, address row and reading pane in the middle, the
// command panel on the right. Construction runs the start-up steps that need the window;
// a confirmed close runs the shut-down steps.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    Ui::MainWindow& controls() { return *ui_; }
    QMenu* contextMenu() const { return 右键菜单_; }
    QTimer* startupTimer() const { return 时钟1_; }

    void AppendLog(std::string_view gbkText);
    // Appends text to the activity log as it stands, without a time stamp.
    void AppendLogText(const QString& text);
    // The window caption while `subject` (a book title, "本地图书") is shown.
    static QString ReaderCaption(const QString& subject);
    void ApplyBackgroundColour(const QColor& colour);
    void ApplyTextColour(const QColor& colour);
    void LoadSettings();
    void SaveSettings();
    void SaveLocalPosition();
    void LayoutMainWindow();
    void ShowMainMenu(bool showOpenItem);
    void ShowBrowserProgress(int percent);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnCreated();
    void ConnectControls();
    void BuildContextMenu();
    void ShutDown();
    void RegisterDropTarget(bool on);

    std::unique_ptr<Ui::MainWindow> ui_;
    QMenu* 右键菜单_ = nullptr;
    QTimer* 时钟1_ = nullptr;
    bool shutDownDone_ = false;
};

// The main window once it exists; hotkeys and other windows reach the reader through it.
MainWindow* MainWindowHandle();
