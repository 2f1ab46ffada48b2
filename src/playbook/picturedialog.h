#pragma once

#include "play/play.h"

#include <QDialog>

class QLabel;
class QSpinBox;

// The size of a step's picture: its width, the height following the court's proportions.
class PictureDialog : public QDialog {
    Q_OBJECT

public:
    PictureDialog(play::Court court, int width, QWidget *parent = nullptr);

    int pictureWidth() const;

private:
    void showHeight();

    play::Court court_;
    QSpinBox *widthBox;
    QLabel *heightLabel;
};
