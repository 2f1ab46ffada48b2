#pragma once

#include "resources/layouts.h"
#include "widgets/fade.h"
#include "widgets/scaledlayout.h"

#include <QImage>
#include <QList>
#include <QWidget>

class LabelButton;
class Marker;
class Program;
class QMdiArea;
class QMdiSubWindow;
class SlotBase;
struct BoardVariables;
namespace platform {
class TickTimer;
}

// A tactics board: a court with ten player markers and a Close label-button, a child
// window of the main window. The half-court and whole-court boards differ only in their
// layout tables. A board with less room than its design draws its court, its markers and
// Close smaller together, so that all of them stay in sight.
class Board : public QWidget {
public:
    static constexpr bool kDisplayedOnCreation = true; // as every child window of the main window

    QWidget *frame() const;
    void display();
    QSize sizeHint() const override;

    void load();
    void fadeInStep();
    void closeBoard();

    Marker *marker(const char *name) const;
    const QList<Marker *> &markers() const { return markers_; }

    int fadeCounter() const { return fade_.counter(); }
    units::Scale scale() const { return controls_.scale(); }

    platform::TickTimer *fadeInTimer;
    LabelButton *closeButton;

protected:
    // The board opens in area, the main window's client area.
    Board(Program &program, SlotBase &slot, BoardVariables &variables, const layouts::BoardLayout &layout,
        QMdiArea &area);

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    Program &program_;
    SlotBase &slot_;
    BoardVariables &variables_;
    Fade fade_;
    QImage court_;
    QImage shownCourt_; // the court at the board's scale below 1, made when first painted
    ScaledLayout controls_;
    QList<Marker *> markers_;
    QMdiSubWindow *frame_;
    QSize designSize_;
    QSizeF designTwips_;
    bool displayedBefore_ = false;
};
