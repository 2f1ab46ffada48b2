#include "shell/program.h"

#include <QTimer>

Program::Program(platform::Services &services)
    : services_(services)
{
}

Program::~Program()
{
    ended_ = true;
    for (SlotBase *slot : windowSlots())
        delete slot->frame();
}

void Program::endAtOnce()
{
    if (!ended_) {
        ended_ = true;
        for (SlotBase *slot : windowSlots())
            slot->unload();
        services_.endProcess();
    }
    throw ImmediateEnd {};
}

void Program::refuseSecondCopy(const QString &title, const QString &text)
{
    if (!services_.anotherCopyRunning())
        return;
    // The ticks behind the box are dropped, so the start goes no further.
    refusing_ = true;
    services_.messageBox(platform::MessageIcon::Warning, title, text);
    endAtOnce();
}

void Program::messageBox(platform::MessageIcon icon, const QString &title, const QString &text)
{
    services_.messageBox(icon, title, text);
    if (ended_)
        throw ImmediateEnd {};
}

void Program::windowGone()
{
    if (ended_ || checkPending_)
        return;
    // Looked at once the current handler is over: a hand-off unloads one window and shows
    // the next within the same handler.
    checkPending_ = true;
    QTimer::singleShot(0, &context_, [this] {
        checkPending_ = false;
        if (ended_)
            return;
        for (SlotBase *slot : windowSlots()) {
            if (slot->exists())
                return;
        }
        ended_ = true;
        services_.quit();
    });
}
