#pragma once

#include <QMdiArea>
#include <QPixmap>

// The main window's client area: white, with the main-window picture centred, unscaled.
class MdiClient : public QMdiArea {
public:
    explicit MdiClient(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap picture_;
};
