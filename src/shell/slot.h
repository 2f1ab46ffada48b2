#pragma once

#include "shell/windowvariables.h"

#include <QPointer>
#include <QWidget>

// The program holds its slots, and each slot tells the program when its window has gone,
// since the program ends when no window is left: the one circle of the window model.
class Program;

// The program-wide slot of one window. Any reference to a window that does not exist
// creates it from its layout and runs its load() inside that reference.
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

    void hide();
    void unload();

protected:
    void adopt(QWidget *frame);
    Program &program_;

private:
    QPointer<QWidget> frame_;
};

// W builds its controls in its constructor W(Program &) and offers load(), frame()
// and display(); a child window of the main window sets kDisplayedOnCreation.
template <class W, class V = NoVariables> class Slot : public SlotBase {
public:
    using SlotBase::SlotBase;

    // A reference to the window, which creates it and runs its load() when it does not
    // exist. Null only when the window unloaded itself within its own load().
    W *createIfNeeded()
    {
        if (!exists()) {
            W *window = new W(program_);
            window_ = window;
            adopt(window->frame());
            window->load();
            if (!exists())
                return nullptr;
            if constexpr (W::kDisplayedOnCreation)
                window->display();
        }
        return window_;
    }

    // Displays the window and brings it to the front; a window that unloaded itself
    // during its own load() cannot be shown, and the show is skipped.
    void show()
    {
        if (W *window = createIfNeeded())
            window->display();
    }

    void hide()
    {
        createIfNeeded();
        SlotBase::hide();
    }

    bool isVisible()
    {
        createIfNeeded();
        return exists() && !frame()->isHidden();
    }

    // The window if it exists, without creating it; null otherwise.
    W *existing() const { return exists() ? window_ : nullptr; }

    V variables {};

private:
    W *window_ = nullptr;
};
