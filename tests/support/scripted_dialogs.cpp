#include "support/scripted_dialogs.h"

namespace lanxi::test {

namespace {
template <typename T> T takeFront(std::deque<T>& queue, T fallback) {
    if (queue.empty()) {
        return fallback;
    }
    T value = queue.front();
    queue.pop_front();
    return value;
}
} // namespace

ScriptedDialogs::ScriptedDialogs() {
    SetAppDialogs(this);
}
ScriptedDialogs::~ScriptedDialogs() {
    SetAppDialogs(nullptr);
}

void ScriptedDialogs::message(QWidget*, const QString& text, const QString& caption) {
    shown.push_back({QStringLiteral("message"), text, caption});
}

bool ScriptedDialogs::confirm(QWidget*, const QString& text, const QString& caption) {
    shown.push_back({QStringLiteral("confirm"), text, caption});
    return takeFront(confirmAnswers, false);
}

std::optional<QString> ScriptedDialogs::inputBox(QWidget*, const QString& prompt,
                                                 const QString& caption, const QString&) {
    shown.push_back({QStringLiteral("input"), prompt, caption});
    QString answer = takeFront(inputAnswers, QString());
    if (answer.isNull()) {
        return std::nullopt;
    }
    return answer;
}

QString ScriptedDialogs::openFile(QWidget*, const QString& title, const QString& filter,
                                  const QString&, const QString&) {
    shown.push_back({QStringLiteral("open"), filter, title});
    return takeFront(openAnswers, QString());
}

std::optional<QColor> ScriptedDialogs::chooseColour(const QColor&, QWidget*) {
    shown.push_back({QStringLiteral("colour"), QString(), QString()});
    QColor answer = takeFront(colourAnswers, QColor());
    if (!answer.isValid()) {
        return std::nullopt;
    }
    return answer;
}

} // namespace lanxi::test
