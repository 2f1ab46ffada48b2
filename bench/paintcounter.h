#pragma once

#include <QEvent>
#include <QObject>

// Counts the paints of the widgets it watches, to show that every move was drawn.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};
