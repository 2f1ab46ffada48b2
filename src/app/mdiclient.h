#pragma once

#include <QImage>
#include <QMdiArea>

// The main window's client area: white, with the main-window picture centred, unscaled.
class MdiClient : public QMdiArea {
public:
    explicit MdiClient(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage picture_;
};
