#pragma once

#include <QDialog>

// What each mark on the court means: every kind of action drawn as the court draws it,
// with its name.
class LegendDialog : public QDialog {
    Q_OBJECT

public:
    explicit LegendDialog(QWidget *parent = nullptr);
};
