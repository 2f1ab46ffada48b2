#pragma once

#include <span>

// The layouts of the windows: one row a control, positions and sizes in twips relative
// to the control's container, in declaration order.
namespace layouts {

enum class Kind { Timer, PictureBox, TextBox, LabelButton, Label, Image, CommandButton, CheckBox, ListBox };

struct ControlSpec {
    const char *name;
    Kind kind;
    int left, top, width, height;
    const char *content = ""; // caption, or the artwork an image shows
};

// Finds a control's row by name; every window asks only for rows it has.
const ControlSpec &find(std::span<const ControlSpec> layout, const char *name);

// Main window. The label-buttons and the hidden text box lie inside Picture1.
inline constexpr int kForm1ClientWidth = 19425;
inline constexpr int kForm1ClientHeight = 8520;
inline constexpr ControlSpec form1[] = {
    { "Timer2", Kind::Timer, 0, 0, 0, 0 },
    { "Picture1", Kind::PictureBox, 0, 0, 19425, 975 },
    { "kwIns", Kind::TextBox, -600, 120, 855, 495 },
    { "Timer1", Kind::Timer, 0, 0, 0, 0 },
    { "Label6", Kind::LabelButton, 5880, 120, 2775, 735, "Reset" },
    { "Label5", Kind::LabelButton, 14520, 120, 2775, 735, "Exit" },
    { "Label4", Kind::LabelButton, 11640, 120, 2775, 735, "About" },
    { "Label3", Kind::LabelButton, 8760, 120, 2775, 735, "Help" },
    { "Label2", Kind::LabelButton, 3000, 120, 2775, 735, "Whole Court" },
    { "Label1", Kind::LabelButton, 120, 120, 2775, 735, "Half Court" },
};

// The two boards differ only in these tables.
struct BoardLayout {
    const char *caption;
    const char *court; // artwork of the court
    int designWidth, designHeight;
    std::span<const ControlSpec> controls;
};

inline constexpr ControlSpec halfCourtControls[] = {
    { "Picture1", Kind::PictureBox, 1080, 480, 495, 135 },
    { "Timer1", Kind::Timer, 0, 0, 0, 0 },
    { "Label4", Kind::LabelButton, 6960, 8520, 1695, 735, "Close" },
    { "Enemy5", Kind::Image, 4200, 8160, 735, 960, "enemy5" },
    { "Enemy4", Kind::Image, 3360, 8160, 735, 960, "enemy4" },
    { "Enemy3", Kind::Image, 2520, 8160, 735, 960, "enemy3" },
    { "Enemy2", Kind::Image, 1680, 8160, 735, 960, "enemy2" },
    { "Allies5", Kind::Image, 13800, 8160, 735, 960, "ally5" },
    { "Allies2", Kind::Image, 11280, 8160, 735, 960, "ally2" },
    { "Allies3", Kind::Image, 12120, 8160, 735, 960, "ally3" },
    { "Allies4", Kind::Image, 12960, 8160, 735, 960, "ally4" },
    { "Enemy1", Kind::Image, 840, 8160, 735, 960, "enemy1" },
    { "Allies1", Kind::Image, 10440, 8160, 735, 960, "ally1" },
};

inline constexpr ControlSpec wholeCourtControls[] = {
    { "Picture1", Kind::PictureBox, 360, 0, 495, 135 },
    { "Timer1", Kind::Timer, 0, 0, 0, 0 },
    { "Allies1", Kind::Image, 10320, 7920, 735, 960, "ally1" },
    { "Enemy1", Kind::Image, 1200, 7920, 735, 960, "enemy1" },
    { "Allies4", Kind::Image, 12840, 7920, 735, 960, "ally4" },
    { "Allies3", Kind::Image, 12000, 7920, 735, 960, "ally3" },
    { "Allies2", Kind::Image, 11160, 7920, 735, 960, "ally2" },
    { "Allies5", Kind::Image, 13680, 7920, 735, 960, "ally5" },
    { "Enemy2", Kind::Image, 2040, 7920, 735, 960, "enemy2" },
    { "Enemy3", Kind::Image, 2880, 7920, 735, 960, "enemy3" },
    { "Enemy4", Kind::Image, 3720, 7920, 735, 960, "enemy4" },
    { "Enemy5", Kind::Image, 4560, 7920, 735, 960, "enemy5" },
    { "Label4", Kind::LabelButton, 6960, 8280, 1695, 735, "Close" },
};

inline constexpr BoardLayout halfCourt { "Half Court", "half_court", 15870, 9600, halfCourtControls };
inline constexpr BoardLayout wholeCourt { "Whole Court", "whole_court", 17520, 9120, wholeCourtControls };

// Terms screen, in tab order.
inline constexpr int kTermsWidth = 8985;
inline constexpr int kTermsHeight = 10485;
inline constexpr ControlSpec terms[] = {
    { "Command1", Kind::CommandButton, 7320, 9720, 1335, 615, "E&xit" },
    { "Check1", Kind::CheckBox, 2640, 9840, 4575, 375, "I Accept the End User License Agreement" },
    { "Label1", Kind::Label, 2520, 9360, 6255, 735,
        "BY USING THE SOFTWARE, YOU ACCEPT THESE TERMS.  IF YOU DO NOT ACCEPT THEM, DO NOT USE THE SOFTWARE." },
    { "Text1", Kind::TextBox, 3000, 3600, 5415, 5535 },
    { "lstEmployee", Kind::ListBox, 0, 0, 735, 870 },
    { "Text2", Kind::TextBox, 1080, 360, 3735, 495, "Text2" },
    { "Text3", Kind::TextBox, 1080, 960, 3735, 495, "Text3" },
    { "Label2", Kind::Label, 4080, 120, 5535, 375, "First Time Use Pop-up Menu" },
};

// Loading screen, in tab order; Picture2 lies inside Picture1.
inline constexpr int kLoadWidth = 5685;
inline constexpr int kLoadHeight = 3660;
inline constexpr ControlSpec load[] = {
    { "Command1", Kind::CommandButton, 0, 1320, 255, 195, "Command1" },
    { "Picture1", Kind::PictureBox, 3120, 2280, 3735, 255 },
    { "Picture2", Kind::PictureBox, -2800, 0, 2175, 255 },
    { "Label3", Kind::Label, 3600, 1920, 2415, 375, "Loading System..." },
    { "Timer1", Kind::Timer, 0, 0, 0, 0 },
};

// About box, in tab order.
inline constexpr int kAboutWidth = 11865;
inline constexpr int kAboutHeight = 5970;
inline constexpr ControlSpec about[] = {
    { "Command1", Kind::CommandButton, 10680, 5520, 1095, 375, "Close" },
    { "Label1", Kind::Label, 120, 5520, 9855, 375 },
    { "Label2", Kind::Label, 360, 5040, 3255, 375, "____________________________________" },
};

} // namespace layouts
