#include "platform/ticktimer.h"

namespace platform {

TickTimer::TickTimer(QObject *parent)
    : QObject(parent)
{
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kPeriodMs);
    connect(&timer_, &QTimer::timeout, this, &TickTimer::ticked);
}

void TickTimer::setEnabled(bool enabled)
{
    if (enabled == timer_.isActive())
        return;
    if (enabled)
        timer_.start();
    else
        timer_.stop();
}

} // namespace platform
