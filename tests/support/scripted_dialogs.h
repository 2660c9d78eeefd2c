#pragma once
// Stands in for the Qt dialogs in window tests: records every dialog shown and answers from
// a queue the test fills. Installed for its lifetime.
#include "platform/dialogs_ui.h"

#include <QStringList>
#include <deque>

namespace lanxi::test {

class ScriptedDialogs final : public Dialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    struct Shown {
        QString kind; // "message", "confirm", "input", "open", "colour"
        QString text;
        QString caption;
    };
    std::vector<Shown> shown;

    std::deque<bool> confirmAnswers;  // empty: Cancel
    std::deque<QString> inputAnswers; // empty queue or a null QString: cancelled
    std::deque<QString> openAnswers;  // empty queue: cancelled
    std::deque<QColor> colourAnswers; // empty queue or an invalid colour: cancelled

    void message(QWidget* owner, const QString& text, const QString& caption) override;
    bool confirm(QWidget* owner, const QString& text, const QString& caption) override;
    std::optional<QString> inputBox(QWidget* owner, const QString& prompt, const QString& caption,
                                    const QString& initial) override;
    QString openFile(QWidget* owner, const QString& title, const QString& filter,
                     const QString& directory, const QString& defaultName) override;
    std::optional<QColor> chooseColour(const QColor& initial, QWidget* owner) override;
};

} // namespace lanxi::test
