#pragma once
#include <QColor>
#include <QPushButton>

// A button that shows a colour and lets the user choose another one.
class ColourPicker : public QPushButton {
    Q_OBJECT
public:
    explicit ColourPicker(QWidget* parent = nullptr);

    QColor colour() const { return colour_; }
    // Sets the shown colour without announcing a change.
    void setColour(const QColor& colour);

signals:
    // The user chose a colour.
    void colourChanged(const QColor& colour);

private:
    void chooseColour();
    QColor colour_;
};
