#include "ui/part_status_bar.h"

#include <QHBoxLayout>

PartStatusBar::PartStatusBar(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(4);
    for (int i = 0; i < kPartCount; ++i) {
        auto* label = new QLabel(this);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setObjectName(QStringLiteral("part%1").arg(i));
        layout->addWidget(label, i == 0 ? 2 : 1);
        parts_.push_back(label);
    }
}

void PartStatusBar::setPartText(int index, const QString& text) {
    if (index >= 0 && index < kPartCount) {
        parts_[static_cast<size_t>(index)]->setText(text);
    }
}

QString PartStatusBar::partText(int index) const {
    if (index < 0 || index >= kPartCount) {
        return {};
    }
    return parts_[static_cast<size_t>(index)]->text();
}
