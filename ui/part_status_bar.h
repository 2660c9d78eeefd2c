#pragma once
#include <QLabel>
#include <QWidget>
#include <vector>

// A status bar of numbered parts that handlers write to by index, as the reading code does.
class PartStatusBar : public QWidget {
    Q_OBJECT
public:
    explicit PartStatusBar(QWidget* parent = nullptr);

    static constexpr int kPartCount = 3;
    void setPartText(int index, const QString& text);
    QString partText(int index) const;

private:
    std::vector<QLabel*> parts_;
};
