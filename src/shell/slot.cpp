#include "shell/slot.h"

#include "platform/ticktimer.h"
#include "shell/program.h"

void SlotBase::adopt(QWidget *frame)
{
    frame_ = frame;
    // A window closed through the window system is destroyed without any code of ours.
    QObject::connect(frame, &QObject::destroyed, program_.context(), [this] { program_.windowGone(); });
}

void SlotBase::hide()
{
    if (exists())
        frame_->hide();
}

void SlotBase::unload()
{
    if (!exists())
        return;
    QWidget *frame = frame_;
    frame_.clear();
    // The window may be unloading itself from one of its own handlers, so it is taken off
    // the screen and its timers stop now, and the widgets go once that handler is over.
    for (auto *timer : frame->findChildren<platform::TickTimer *>())
        timer->setEnabled(false);
    frame->hide();
    frame->deleteLater();
    program_.windowGone();
}
