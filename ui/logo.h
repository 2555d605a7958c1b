// The program's logo, painted rather than loaded so it stays sharp.
#pragma once

#include <QWidget>

class TLogo : public QWidget {
    Q_OBJECT
public:
    explicit TLogo(QWidget* rodic = nullptr);

protected:
    void paintEvent(QPaintEvent* udalost) override;
};
