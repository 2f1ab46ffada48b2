#pragma once

#include <QPixmap>
#include <QWidget>

class Program;
struct BoardVariables;

// A player marker: a jersey picture stretched over the control (the board hands it the
// picture stretched already). Its position is kept in single-precision twips and shown at
// the nearest pixel.
class Marker : public QWidget {
    Q_OBJECT
public:
    // Button bits as the drag handlers see them: one bit a button, 0 when none is held.
    using Buttons = int;

    Marker(Program &program, BoardVariables &board, const QString &name, const QPixmap &picture, QWidget *parent);

    // The top-left corner in twips, relative to the board.
    float left() const { return left_; }
    float top() const { return top_; }
    void moveTo(float left, float top);

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
    QPixmap picture_;
    float left_ = 0;
    float top_ = 0;
};
