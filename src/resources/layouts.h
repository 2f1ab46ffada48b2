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

// Main window. The label-buttons and the hidden usage sentence lie inside the toolbar.
inline constexpr int kMainWindowClientWidth = 19425;
inline constexpr int kMainWindowClientHeight = 8520;
inline constexpr ControlSpec mainWindow[] = {
    { "fadeOutTimer", Kind::Timer, 0, 0, 0, 0 },
    { "toolbar", Kind::PictureBox, 0, 0, 19425, 975 },
    { "usageSentence", Kind::TextBox, -600, 120, 855, 495 },
    { "fadeInTimer", Kind::Timer, 0, 0, 0, 0 },
    { "resetButton", Kind::LabelButton, 5880, 120, 2775, 735, "Reset" },
    { "exitButton", Kind::LabelButton, 14520, 120, 2775, 735, "Exit" },
    { "aboutButton", Kind::LabelButton, 11640, 120, 2775, 735, "About" },
    { "helpButton", Kind::LabelButton, 8760, 120, 2775, 735, "Help" },
    { "wholeCourtButton", Kind::LabelButton, 3000, 120, 2775, 735, "Whole Court" },
    { "halfCourtButton", Kind::LabelButton, 120, 120, 2775, 735, "Half Court" },
};

// The two boards differ only in these tables.
struct BoardLayout {
    const char *caption;
    const char *court; // artwork of the court
    int designWidth, designHeight;
    std::span<const ControlSpec> controls;
};

inline constexpr ControlSpec halfCourtControls[] = {
    { "fadeInTimer", Kind::Timer, 0, 0, 0, 0 },
    { "close", Kind::LabelButton, 6960, 8520, 1695, 735, "Close" },
    { "enemy5", Kind::Image, 4200, 8160, 735, 960, "enemy5" },
    { "enemy4", Kind::Image, 3360, 8160, 735, 960, "enemy4" },
    { "enemy3", Kind::Image, 2520, 8160, 735, 960, "enemy3" },
    { "enemy2", Kind::Image, 1680, 8160, 735, 960, "enemy2" },
    { "ally5", Kind::Image, 13800, 8160, 735, 960, "ally5" },
    { "ally2", Kind::Image, 11280, 8160, 735, 960, "ally2" },
    { "ally3", Kind::Image, 12120, 8160, 735, 960, "ally3" },
    { "ally4", Kind::Image, 12960, 8160, 735, 960, "ally4" },
    { "enemy1", Kind::Image, 840, 8160, 735, 960, "enemy1" },
    { "ally1", Kind::Image, 10440, 8160, 735, 960, "ally1" },
};

inline constexpr ControlSpec wholeCourtControls[] = {
    { "fadeInTimer", Kind::Timer, 0, 0, 0, 0 },
    { "ally1", Kind::Image, 10320, 7920, 735, 960, "ally1" },
    { "enemy1", Kind::Image, 1200, 7920, 735, 960, "enemy1" },
    { "ally4", Kind::Image, 12840, 7920, 735, 960, "ally4" },
    { "ally3", Kind::Image, 12000, 7920, 735, 960, "ally3" },
    { "ally2", Kind::Image, 11160, 7920, 735, 960, "ally2" },
    { "ally5", Kind::Image, 13680, 7920, 735, 960, "ally5" },
    { "enemy2", Kind::Image, 2040, 7920, 735, 960, "enemy2" },
    { "enemy3", Kind::Image, 2880, 7920, 735, 960, "enemy3" },
    { "enemy4", Kind::Image, 3720, 7920, 735, 960, "enemy4" },
    { "enemy5", Kind::Image, 4560, 7920, 735, 960, "enemy5" },
    { "close", Kind::LabelButton, 6960, 8280, 1695, 735, "Close" },
};

inline constexpr BoardLayout halfCourt { "Half Court", "half_court", 15870, 9600, halfCourtControls };
inline constexpr BoardLayout wholeCourt { "Whole Court", "whole_court", 17520, 9120, wholeCourtControls };

// Terms screen, in tab order.
inline constexpr int kTermsWidth = 8985;
inline constexpr int kTermsHeight = 10485;
inline constexpr ControlSpec terms[] = {
    { "decisionButton", Kind::CommandButton, 7320, 9720, 1335, 615, "E&xit" },
    { "acceptCheck", Kind::CheckBox, 2640, 9840, 4575, 375, "I Accept the End User License Agreement" },
    { "notice", Kind::Label, 2520, 9360, 6255, 735,
        "BY USING THE SOFTWARE, YOU ACCEPT THESE TERMS.  IF YOU DO NOT ACCEPT THEM, DO NOT USE THE SOFTWARE." },
    { "agreementText", Kind::TextBox, 3000, 3600, 5415, 5535 },
    { "recordItems", Kind::ListBox, 0, 0, 735, 870 },
    { "firstUseText", Kind::TextBox, 1080, 360, 3735, 495 },
    { "usageText", Kind::TextBox, 1080, 960, 3735, 495 },
    { "heading", Kind::Label, 4080, 120, 5535, 375, "First Time Use Pop-up Menu" },
};

// Loading screen, in tab order; the fill lies inside its track.
inline constexpr int kLoadingWidth = 5685;
inline constexpr int kLoadingHeight = 3660;
inline constexpr ControlSpec loadingScreen[] = {
    { "focusButton", Kind::CommandButton, 0, 1320, 255, 195, "Command1" },
    { "progressTrack", Kind::PictureBox, 3120, 2280, 3735, 255 },
    { "progressFill", Kind::PictureBox, -2800, 0, 2175, 255 },
    { "statusText", Kind::Label, 3600, 1920, 2415, 375, "Loading System..." },
    { "animationTimer", Kind::Timer, 0, 0, 0, 0 },
};

// About box, in tab order.
inline constexpr int kAboutWidth = 11865;
inline constexpr int kAboutHeight = 5970;
inline constexpr ControlSpec aboutBox[] = {
    { "closeButton", Kind::CommandButton, 10680, 5520, 1095, 375, "Close" },
    { "usageLine", Kind::Label, 120, 5520, 9855, 375 },
    { "webLink", Kind::Label, 360, 5040, 3255, 375, "____________________________________" },
};

} // namespace layouts
