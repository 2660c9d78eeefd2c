#include "platform/dialogs_ui.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace lanxi {
namespace {

class QtDialogs final : public Dialogs {
public:
    void message(QWidget* owner, const QString& text, const QString& caption) override {
        QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner);
        box.exec();
    }

    bool confirm(QWidget* owner, const QString& text, const QString& caption) override {
        QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                        owner);
        return box.exec() == QMessageBox::Ok;
    }

    std::optional<QString> inputBox(QWidget* owner, const QString& prompt, const QString& caption,
                                    const QString& initial) override {
        bool ok = false;
        QString text =
            QInputDialog::getText(owner, caption, prompt, QLineEdit::Normal, initial, &ok);
        if (!ok) {
            return std::nullopt;
        }
        return text;
    }

    QString openFile(QWidget* owner, const QString& title, const QString& filter,
                     const QString& directory, const QString& defaultName) override {
        return QFileDialog::getOpenFileName(owner, title, QDir(directory).filePath(defaultName),
                                            QtFileFilter(filter));
    }

    std::optional<QColor> chooseColour(const QColor& initial, QWidget* owner) override {
        QColor c = QColorDialog::getColor(initial, owner);
        if (!c.isValid()) {
            return std::nullopt;
        }
        return c;
    }
};

QtDialogs& qtDialogs() {
    static QtDialogs d;
    return d;
}

Dialogs* g_dialogs = nullptr;

} // namespace

Dialogs& AppDialogs() {
    return g_dialogs ? *g_dialogs : qtDialogs();
}

void SetAppDialogs(Dialogs* dialogs) {
    g_dialogs = dialogs;
}

QString QtFileFilter(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace lanxi
