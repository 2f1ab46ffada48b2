#pragma once

#include "play/play.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QSpinBox;

// A player's number and name; the player can be chosen here too.
class PlayerDialog : public QDialog {
    Q_OBJECT

public:
    PlayerDialog(const play::Play &play, int player, QWidget *parent = nullptr);

    int player() const;
    play::Player value() const;

private:
    void choosePlayer(int player);

    const play::Play &play_;
    QComboBox *playerBox;
    QSpinBox *numberBox;
    QLineEdit *nameEdit;
};
