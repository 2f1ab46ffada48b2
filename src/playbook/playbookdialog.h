#pragma once

#include "play/playbooklayout.h"

#include <QDialog>

class QComboBox;
class QListWidget;
class QPushButton;

// The choices of a PDF playbook: which plays it holds, in their order, and its paper.
class PlaybookDialog : public QDialog {
    Q_OBJECT

public:
    PlaybookDialog(const QList<play::TitledPlay> &plays, QWidget *parent = nullptr);

    QList<play::TitledPlay> plays() const { return plays_; }
    QPageSize::PageSizeId paper() const;

private:
    void addPlays();
    void removePlay();
    void updateButtons();

    QList<play::TitledPlay> plays_;
    QListWidget *playList;
    QPushButton *addButton;
    QPushButton *removeButton;
    QComboBox *paperBox;
    QPushButton *exportButton;
};
