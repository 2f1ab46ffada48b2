#include "mainwindow/mainwindow.h"
#include "support/programfixture.h"
#include "widgets/controls.h"

namespace {

// The strip's six label-buttons at a width of the main window: where there is room, at their
// design places; in a narrower frame smaller together, Exit whole.
struct StripCase {
    int windowWidth;
    bool designSize;
};

class ToolbarWidth : public ProgramTest, public ::testing::WithParamInterface<StripCase> { };

TEST_P(ToolbarWidth, SixButtonsInARowWithExitWhole)
{
    event([this] { program->mainWindow.show(); });
    flush(); // maximized first, as the window system makes it
    MainWindow *form = program->mainWindow.existing();
    form->resize(GetParam().windowWidth, 700);
    flush();
    const LabelButton *row[] = { form->halfCourtButton, form->wholeCourtButton, form->resetButton, form->helpButton,
        form->aboutButton, form->exitButton };
    for (int i = 0; i < 6; ++i) {
        const QRect r = row[i]->geometry();
        if (GetParam().designSize) {
            EXPECT_EQ(r, QRect(8 + 192 * i, 8, 185, 49)) << i;
            EXPECT_EQ(row[i]->font().pixelSize(), 29);
        } else {
            EXPECT_LT(r.width(), 185) << i;
            if (i > 0)
                EXPECT_NEAR(r.left() - row[i - 1]->x(), row[1]->x() - row[0]->x(), 1) << "one pitch";
            EXPECT_LT(row[i]->font().pixelSize(), 29);
            // Its caption fits inside it.
            EXPECT_LE(row[i]->fontMetrics().horizontalAdvance(row[i]->text()), r.width()) << i;
        }
        EXPECT_EQ(r.height(), row[0]->height());
    }
    EXPECT_LE(form->exitButton->geometry().right(), form->toolbar->width() - 1) << "Exit whole";
    EXPECT_EQ(form->toolbar->height(), 65) << "the strip keeps its height";
}

INSTANTIATE_TEST_SUITE_P(Widths, ToolbarWidth,
    ::testing::Values(StripCase { 1600, true }, StripCase { 1161, true }, StripCase { 1100, false },
        StripCase { 1024, false }, StripCase { 640, false }),
    [](const auto &info) { return std::to_string(info.param.windowWidth); });

} // namespace
