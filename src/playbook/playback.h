#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

class PlayDocument;

// The play running on the court: a time into the whole play that moves on with a clock
// while playing, at a speed, looping if asked, and that a slider may set. The court shows
// the pieces where they stand at that time while playback is active.
class Playback : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<qint64()>; // milliseconds, from any origin

    explicit Playback(PlayDocument &document, QObject *parent = nullptr);

    // The clock the time follows; the steady clock unless a test gives its own.
    void setClock(Clock clock);
    // What that clock says now, for whatever else keeps time beside the playback.
    qint64 now() const { return clock_(); }
    // The display's refresh rate, in frames a second: playback moves the pieces on at least
    // once a frame (60 unless told).
    void setRefreshRate(double framesPerSecond);

    bool isActive() const { return active_; }
    bool isPlaying() const { return timer_.isActive(); }
    double time() const { return time_; }
    double speed() const { return speed_; }
    bool loops() const { return loop_; }

    void play();
    void pause();
    // Back to editing: the court shows the step where it starts.
    void stop();
    void setTime(double seconds);
    void setSpeed(double speed);
    void setLoop(bool loop);

    // Moves the time on by what the clock says has passed; the timer calls it.
    void tick();

signals:
    void timeChanged(double seconds);
    void stateChanged(); // playing, paused, or stopped

private:
    PlayDocument &document_;
    QTimer timer_;
    Clock clock_;
    qint64 lastTick_ = 0;
    double time_ = 0;
    double speed_ = 1;
    bool loop_ = false;
    bool active_ = false;
};
