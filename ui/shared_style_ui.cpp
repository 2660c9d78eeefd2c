#include "ui/shared_style_ui.h"

#include <QApplication>
#include <QPalette>

namespace lanxi {
namespace {
QFont g_font;
QColor g_faceColour;
} // namespace

void CreateSharedUiStyle() {
    g_font = QFont(QStringLiteral("宋体"));
    g_font.setPixelSize(12);
    g_font.setWeight(QFont::Normal);
    g_font.setItalic(false);
    g_font.setUnderline(false);
    g_font.setStrikeOut(false);
    g_faceColour = QApplication::palette().color(QPalette::Button);
}

const QFont& SharedUiFont() {
    return g_font;
}
const QColor& SharedFaceColour() {
    return g_faceColour;
}

} // namespace lanxi
