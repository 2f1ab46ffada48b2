#pragma once

#include "widgets/units.h"

#include <QPixmap>
#include <QWidget>

class Program;
struct BoardVariables;

// A player marker: a jersey picture stretched over the control. Its position and size are
// kept in twips, the position in single precision, and shown at the nearest pixel of the
// board's scale.
class Marker : public QWidget {
    Q_OBJECT
public:
    // Button bits as the drag handlers see them: one bit a button, 0 when none is held.
    using Buttons = int;

    // width and height in twips; picture names the jersey's artwork.
    Marker(Program &program, BoardVariables &board, const QString &name, const char *picture, int width, int height,
        QWidget *parent);

    // The top-left corner in twips, relative to the board.
    float left() const { return left_; }
    float top() const { return top_; }
    void moveTo(float left, float top);

    // Shows the marker at the board's scale; its position in twips stays as it is.
    void setScale(units::Scale scale);

    // x and y are twips from the marker's top-left corner.
    void press(Buttons button, float x, float y);
    void drag(Buttons buttons, float x, float y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    Program &program_;
    BoardVariables &board_;
    const char *pictureName_;
    int width_;
    int height_;
    units::Scale scale_;
    QPixmap picture_;
    float left_ = 0;
    float top_ = 0;
};
