#include "reader/directory_panel_ui.h"

#include "app/app_state.h"
#include "ui_main_window.h"

namespace lanxi {
namespace {

void setLeft(QWidget* w, int left) {
    w->move(left, w->y());
}
void setWidth(QWidget* w, int width) {
    w->resize(width, w->height());
}

} // namespace

void CollapseDirectoryPanel(Ui::MainWindow& ui) {
    App().savedDirectoryWidth = ui.树型框1->width();
    const int saved = App().savedDirectoryWidth;
    ui.树型框1->hide();
    ui.超级按钮1->hide();
    setLeft(ui.缩放按钮, 5);
    ui.缩放按钮->setText(QStringLiteral(">"));
    for (QWidget* w : {static_cast<QWidget*>(ui.标签1), static_cast<QWidget*>(ui.编辑框2),
                       static_cast<QWidget*>(ui.图片显示框), static_cast<QWidget*>(ui.标签3)}) {
        setLeft(w, 15);
    }
    setLeft(ui.编辑框1, ui.标签1->x() + ui.标签1->width() - 1);
    setWidth(ui.编辑框2, ui.编辑框2->width() + saved);
    setWidth(ui.图片显示框, ui.编辑框2->width());
    setWidth(ui.编辑框1, ui.编辑框1->width() + saved);
    setWidth(ui.标签3, ui.标签1->width() + ui.编辑框1->width());
    App().directoryCollapsed = true;
}

void ExpandDirectoryPanel(Ui::MainWindow& ui) {
    const int saved = App().savedDirectoryWidth;
    setWidth(ui.编辑框2, ui.编辑框2->width() - saved);
    setWidth(ui.图片显示框, ui.编辑框2->width());
    setWidth(ui.编辑框1, ui.编辑框1->width() - saved);
    for (QWidget* w : {static_cast<QWidget*>(ui.编辑框2), static_cast<QWidget*>(ui.标签1),
                       static_cast<QWidget*>(ui.图片显示框), static_cast<QWidget*>(ui.标签3)}) {
        setLeft(w, 150);
    }
    setLeft(ui.编辑框1, ui.标签1->width() + ui.标签1->x() - 1);
    setLeft(ui.缩放按钮, 141);
    ui.树型框1->show();
    ui.超级按钮1->show();
    ui.缩放按钮->setText(QStringLiteral("<"));
    setWidth(ui.标签3, ui.标签1->width() + ui.编辑框1->width());
    App().directoryCollapsed = false;
}

void ToggleDirectoryPanel(Ui::MainWindow& ui) {
    if (App().directoryCollapsed) {
        ExpandDirectoryPanel(ui);
    } else {
        CollapseDirectoryPanel(ui);
    }
}

} // namespace lanxi
