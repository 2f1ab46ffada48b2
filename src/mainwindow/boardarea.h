#pragma once

#include <QImage>
#include <QMdiArea>

// The main window's client area: white, with the main-window picture centred, unscaled.
class BoardArea : public QMdiArea {
public:
    explicit BoardArea(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage picture_;
};
