#pragma once

#include <QPixmap>
#include <QWidget>

class Program;
struct BoardVariables;

// A player marker: a jersey picture stretched over the control (the board hands it the
// picture stretched already). Its position is kept in
// single-precision twips and shown at the nearest pixel.
class Marker : public QWidget {
    Q_OBJECT
public:
    // Button bits as the drag handlers see them: one bit a button, 0 when none is held.
    using Buttons = int;

    Marker(Program &program, BoardVariables &board, const QString &name, const QPixmap &picture, QWidget *parent);

    float Left() const { return left_; }
    float Top() const { return top_; }
    void Move(float left, float top);
    void ZOrder() { raise(); }

    // X and Y are twips from the marker's top-left corner; Shift is ignored.
    void MouseDown(Buttons Button, int Shift, float X, float Y);
    void MouseMove(Buttons Button, int Shift, float X, float Y);
    void MouseUp(Buttons Button, int Shift, float X, float Y);

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
