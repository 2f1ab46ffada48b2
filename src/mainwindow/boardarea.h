#pragma once

#include <QImage>
#include <QMdiArea>

class QMdiSubWindow;

// The main window's client area: white, with the main-window picture centred, unscaled.
// A restored board always lies wholly inside it, made smaller where the area is smaller
// than the board.
class BoardArea : public QMdiArea {
public:
    explicit BoardArea(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void keepInside(QMdiSubWindow *board);

    QImage picture_;
};
