#pragma once
// Controls hold GBK texts as the reading code sees them: tags (invisible texts that carry
// state between handlers) and captions, converted at this one edge.
#include <QString>
#include <string>
#include <string_view>

class QObject;

namespace lanxi {

QString FromGbk(std::string_view gbk);
// For multi-line boxes: CR LF line ends become the box's own.
QString FromGbkLines(std::string_view gbk);
std::string ToGbk(const QString& text);

std::string Tag(const QObject* control);
void SetTag(QObject* control, std::string_view gbk);

} // namespace lanxi
