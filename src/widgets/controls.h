#pragma once

#include "resources/layouts.h"
#include "widgets/units.h"

#include <QCheckBox>
#include <QLabel>
#include <QString>
#include <QWidget>

// A label that answers a click: a press and a release on it with the left button; the
// second press of a double click is not a click. It never takes the keyboard focus.
// Assistive technology sees it as a link.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString &caption, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool pressed_ = false;
};

// A label-button: a click label with an opaque dark grey background and a large centred
// white caption, used as a push button (and seen as one by assistive technology).
class LabelButton : public ClickLabel {
    Q_OBJECT
public:
    LabelButton(const QString &caption, const QFont &font, QWidget *parent = nullptr);
};

// A check box that answers a click anywhere on its rectangle, as a user expects of the
// whole control, not only on its box and caption.
class CheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};

// Places a control at its row of a layout, converting twips to pixels at the window's scale.
// Labels, label-buttons and images go beneath the controls that have a window of their own.
void place(QWidget *control, const layouts::ControlSpec &row, units::Scale scale = {});
