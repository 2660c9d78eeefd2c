#include "platform/control_text_ui.h"

#include "text/gbk_convert.h"

#include <QByteArray>
#include <QObject>
#include <QVariant>

namespace lanxi {
namespace {
constexpr const char* kTagProperty = "lanxiTag";
}

QString FromGbk(std::string_view gbk) {
    std::string utf8 = GbkToUtf8(gbk);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString FromGbkLines(std::string_view gbk) {
    QString text = FromGbk(gbk);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string ToGbk(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    return Utf8ToGbk(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

std::string Tag(const QObject* control) {
    QByteArray bytes = control->property(kTagProperty).toByteArray();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

void SetTag(QObject* control, std::string_view gbk) {
    control->setProperty(kTagProperty, QByteArray(gbk.data(), static_cast<qsizetype>(gbk.size())));
}

} // namespace lanxi
