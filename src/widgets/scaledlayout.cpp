#include "widgets/scaledlayout.h"

#include "widgets/controls.h"

#include <QWidget>

void ScaledLayout::place(QWidget *control, const layouts::ControlSpec &row, Font font)
{
    ::place(control, row, scale_);
    placed_.push_back({ control, &row, font });
    apply(placed_.back());
}

bool ScaledLayout::setScale(units::Scale scale)
{
    if (scale == scale_)
        return false;
    scale_ = scale;
    for (const Placed &placed : placed_)
        apply(placed);
    return true;
}

void ScaledLayout::apply(const Placed &placed) const
{
    const layouts::ControlSpec &row = *placed.row;
    placed.control->setGeometry(scale_.toPixels(row.left, row.top, row.width, row.height));
    if (placed.font.face)
        placed.control->setFont(scale_.font(placed.font.face, placed.font.points, placed.font.bold));
}
