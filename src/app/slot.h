#pragma once

#include "app/windowvariables.h"

#include <QPointer>
#include <QWidget>

class Program;

// The program-wide slot of one window. Any reference to a window that does not exist
// creates it from its layout and runs its Load inside that reference.
class SlotBase {
public:
    explicit SlotBase(Program &program)
        : program_(program)
    {
    }
    SlotBase(const SlotBase &) = delete;
    SlotBase &operator=(const SlotBase &) = delete;
    virtual ~SlotBase() = default;

    bool exists() const { return !frame_.isNull(); }

    // What the window system shows for the window: the window itself, or the frame
    // around a child window of the main window.
    QWidget *frame() const { return frame_; }

    void Hide();
    void Unload();

protected:
    void adopt(QWidget *frame);
    Program &program_;

private:
    QPointer<QWidget> frame_;
};

// W builds its controls in its constructor W(Program &) and offers Form_Load(), frame()
// and display(); a child window of the main window sets kDisplayedOnCreation.
template <class W, class V = NoVariables> class Slot : public SlotBase {
public:
    using SlotBase::SlotBase;

    // A reference: the window, created and loaded first when needed. Null only when the
    // window unloaded itself within its own Load.
    W *get()
    {
        if (!exists()) {
            W *window = new W(program_);
            window_ = window;
            adopt(window->frame());
            window->Form_Load();
            if (!exists())
                return nullptr;
            if constexpr (W::kDisplayedOnCreation)
                window->display();
        }
        return window_;
    }
    W *operator->() { return get(); }

    // Displays the window and brings it to the front; a window that unloaded itself
    // during its own Load cannot be shown, and the Show is skipped.
    void Show()
    {
        if (W *window = get())
            window->display();
    }

    void Hide()
    {
        get();
        SlotBase::Hide();
    }

    bool Visible()
    {
        get();
        return exists() && !frame()->isHidden();
    }

    // The window if it exists, without creating it.
    W *existing() const { return exists() ? window_ : nullptr; }

    V vars {};

private:
    W *window_ = nullptr;
};
