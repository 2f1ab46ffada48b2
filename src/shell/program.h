#pragma once

#include "platform/services.h"
#include "shell/slot.h"
#include "shell/windowvariables.h"

#include <QObject>

#include <array>

// The windows are known here by name only: a slot creates its window from the window's
// own code, the first time that code refers to it.
class MainWindow;
class HalfCourtBoard;
class WholeCourtBoard;
class LoadingScreen;
class TermsScreen;
class AboutBox;

// Thrown by the immediate end to leave every handler that is still running; caught only
// where the event that started the handler chain came in.
struct ImmediateEnd { };

// The six windows, each in its program-wide slot, and the rules they live by.
class Program {
public:
    explicit Program(platform::Services &services);
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    platform::Services &services() const { return services_; }

    Slot<LoadingScreen> loadingScreen { *this };
    Slot<TermsScreen> termsScreen { *this };
    Slot<MainWindow, FadeVariables> mainWindow { *this };
    Slot<HalfCourtBoard, BoardVariables> halfCourtBoard { *this };
    Slot<WholeCourtBoard, BoardVariables> wholeCourtBoard { *this };
    Slot<AboutBox> aboutBox { *this };

    // Ends the program at once: every window closes and no further handler runs, not
    // even the rest of the handlers that led here.
    [[noreturn]] void endAtOnce();
    bool ended() const { return ended_; }

    // The single-instance check that starts the load() of the loading screen and of the main
    // window: when another copy runs, a warning with these texts, then the immediate end.
    void refuseSecondCopy(const QString &title, const QString &text);

    // A modal message box; if the program ended while it was open, nothing after it runs.
    void messageBox(platform::MessageIcon icon, const QString &title, const QString &text);

    // The first-use record's place on the system drive.
    QString hostPath(const QString &windowsPath) const { return services_.hostPath(windowsPath); }

    // Every event handler of the program runs through here, one at a time.
    template <class Handler> void handle(Handler &&handler)
    {
        if (ended_)
            return;
        try {
            handler();
        } catch (const ImmediateEnd &) {
        }
    }

    // Called by the slots when a window has gone; the program ends when none is left.
    void windowGone();

    // Receiver of the program's own connections: they end with the program.
    QObject *context() { return &context_; }

private:
    std::array<SlotBase *, 6> windowSlots()
    {
        return { &loadingScreen, &termsScreen, &mainWindow, &halfCourtBoard, &wholeCourtBoard, &aboutBox };
    }

    platform::Services &services_;
    bool ended_ = false;
    bool checkPending_ = false;
    QObject context_; // receiver of the deferred checks, gone with the program
};
