#pragma once
// Every message box, question, input box and file or colour dialog goes through this
// interface, so window tests can script the answers and see what was shown.
#include <QColor>
#include <QString>
#include <optional>

class QWidget;

namespace lanxi {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message with an OK button; an empty caption means the platform default.
    virtual void message(QWidget* owner, const QString& text, const QString& caption) = 0;
    // OK/Cancel question with a question icon; true for OK.
    virtual bool confirm(QWidget* owner, const QString& text, const QString& caption) = 0;
    // nullopt when cancelled.
    virtual std::optional<QString> inputBox(QWidget* owner, const QString& prompt,
                                            const QString& caption, const QString& initial) = 0;
    // `filter` uses the "description|pattern|..." form; an empty result means cancelled.
    virtual QString openFile(QWidget* owner, const QString& title, const QString& filter,
                             const QString& directory, const QString& defaultName) = 0;
    virtual std::optional<QColor> chooseColour(const QColor& initial, QWidget* owner) = 0;
};

// The dialogs in use: the Qt ones unless a test installed its own.
Dialogs& AppDialogs();
// Installs `dialogs` (not owned); nullptr restores the Qt dialogs.
void SetAppDialogs(Dialogs* dialogs);

// "文本文件（*.txt）|*.txt" → "文本文件（*.txt） (*.txt)" for Qt's file dialogs.
QString QtFileFilter(const QString& pipeFilter);

} // namespace lanxi
