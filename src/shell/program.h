#pragma once

#include "platform/services.h"
#include "shell/slot.h"
#include "shell/windowvariables.h"

#include <QMdiArea>
#include <QObject>
#include <QPointer>

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

    // Every event handler of the program runs through here, one at a time. The immediate
    // end leaves it here; any other exception ends the handler as a failed step would,
    // and none goes on into Qt, which does not expect one. While the duplicate-start
    // warning is open no handler runs: the program ends when the box closes.
    template <class Handler> void handle(Handler &&handler) noexcept
    {
        if (ended_ || refusing_)
            return;
        try {
            handler();
        } catch (...) {
        }
    }

    // Attaches a handler to a signal of a control or timer: the handler runs through
    // handle(), for as long as the receiver lives.
    template <class Sender, class Signal, class Handler>
    void attach(Sender *sender, Signal signal, const QObject *receiver, Handler handler)
    {
        QObject::connect(sender, signal, receiver, [this, handler = std::move(handler)] { handle(handler); });
    }

    // The main window's client area, where the boards open; null without a main window.
    QMdiArea *boardArea() const { return boardArea_; }
    void setBoardArea(QMdiArea *area) { boardArea_ = area; }

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
    bool refusing_ = false; // the duplicate-start warning is open
    bool checkPending_ = false;
    QPointer<QMdiArea> boardArea_;
    QObject context_; // receiver of the deferred checks, gone with the program
};
