#include "ui/colour_picker.h"

#include "platform/dialogs_ui.h"

ColourPicker::ColourPicker(QWidget* parent) : QPushButton(parent) {
    connect(this, &QPushButton::clicked, this, &ColourPicker::chooseColour);
    setColour(Qt::black);
}

void ColourPicker::setColour(const QColor& colour) {
    colour_ = colour;
    setStyleSheet(
        QStringLiteral("background-color: %1; border: 1px solid #808080;").arg(colour.name()));
}

void ColourPicker::chooseColour() {
    if (auto chosen = lanxi::AppDialogs().chooseColour(colour_, this)) {
        setColour(*chosen);
        emit colourChanged(*chosen);
    }
}
