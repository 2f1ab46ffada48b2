#include "playbook/playback.h"

#include "play/motion.h"
#include "playbook/playdocument.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kFrameInterval = 16; // milliseconds, at 60 frames a second

qint64 steadyClock()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

} // namespace

Playback::Playback(PlayDocument &document, QObject *parent)
    : QObject(parent)
    , document_(document)
    , clock_(steadyClock)
{
    timer_.setInterval(kFrameInterval);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &Playback::tick);
}

void Playback::setClock(Clock clock)
{
    clock_ = std::move(clock);
}

void Playback::setRefreshRate(double framesPerSecond)
{
    // A tick a little more often than the display's frames, so that no frame misses one.
    if (framesPerSecond >= 24 && framesPerSecond <= 500)
        timer_.setInterval(std::max(2, int(1000 / framesPerSecond)));
}

void Playback::play()
{
    if (!active_) {
        active_ = true;
        time_ = document_.motion().stepStartTime(document_.currentStep());
    }
    if (time_ >= document_.motion().duration())
        time_ = 0;
    lastTick_ = clock_();
    timer_.start();
    emit timeChanged(time_);
    emit stateChanged();
}

void Playback::pause()
{
    timer_.stop();
    emit stateChanged();
}

void Playback::stop()
{
    if (!active_)
        return;
    timer_.stop();
    active_ = false;
    emit stateChanged();
}

void Playback::setTime(double seconds)
{
    active_ = true;
    time_ = std::clamp(seconds, 0.0, document_.motion().duration());
    emit timeChanged(time_);
}

void Playback::setSpeed(double speed)
{
    speed_ = speed;
}

void Playback::setLoop(bool loop)
{
    loop_ = loop;
}

void Playback::tick()
{
    if (!timer_.isActive())
        return;
    const qint64 now = clock_();
    const double passed = double(now - lastTick_) / 1000 * speed_;
    lastTick_ = now;
    const double duration = document_.motion().duration();
    time_ += passed;
    if (time_ >= duration) {
        if (loop_ && duration > 0) {
            time_ = std::fmod(time_, duration);
        } else {
            time_ = duration;
            timer_.stop();
            emit stateChanged();
        }
    }
    emit timeChanged(time_);
}
