#pragma once

#include "widgets/scaledlayout.h"

#include <QWidget>

// The main window's toolbar strip. Its label-buttons keep their places and sizes while
// the strip is as wide as they need; in a narrower frame they are drawn smaller together,
// so that the last of them stays whole with its caption readable.
class ToolbarStrip : public QWidget {
public:
    // needed: the width in twips that the buttons take, their margins included; height:
    // the strip's own, in twips.
    ToolbarStrip(int needed, int height, QWidget *parent);

    ScaledLayout &controls() { return controls_; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    ScaledLayout controls_;
    int needed_;
};
