#pragma once

#include "resources/layouts.h"
#include "widgets/units.h"

#include <vector>

class QWidget;

// The controls of a window whose room changes (a board in its frame, the toolbar strip),
// placed from their layout rows at the window's scale and placed again, captions' fonts
// included, whenever the scale changes.
class ScaledLayout {
public:
    // A caption's font, in points as the layouts give it; no face keeps the control's own.
    struct Font {
        const char *face;
        double points;
        bool bold;
    };

    // Places the control at its row now and at every later scale.
    void place(QWidget *control, const layouts::ControlSpec &row, Font font = { nullptr, 0, false });

    units::Scale scale() const { return scale_; }

    // Places every control again; false, and nothing moves, when the scale is unchanged.
    bool setScale(units::Scale scale);

private:
    struct Placed {
        QWidget *control;
        const layouts::ControlSpec *row;
        Font font;
    };

    void apply(const Placed &placed) const;

    std::vector<Placed> placed_;
    units::Scale scale_;
};
