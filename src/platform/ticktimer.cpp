#include "platform/ticktimer.h"

namespace platform {

namespace {
bool clockHeld = false;
}

TickTimer::TickTimer(QObject *parent)
    : QObject(parent)
{
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kPeriodMs);
    connect(&timer_, &QTimer::timeout, this, &TickTimer::ticked);
}

void TickTimer::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (!enabled)
        timer_.stop();
    else if (!clockHeld)
        timer_.start();
}

void TickTimer::holdClock(bool held)
{
    clockHeld = held;
}

} // namespace platform
